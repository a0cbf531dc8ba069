#pragma once

#include <gst/gst.h>

#include <memory>
#include <optional>
#include <string>

// The few GStreamer moves the decoder and the player share.

struct GstObjectRelease {
    void operator()(GstElement* element) const;
};
// A pipeline that is stopped (state NULL) and released when it goes.
using PipelinePtr = std::unique_ptr<GstElement, GstObjectRelease>;

// GStreamer initialised once for the process; the reason when it cannot be.
std::optional<std::string> gstreamerProblem();

// A pipeline from a gst-launch description; null with the reason in `why`.
PipelinePtr launchPipeline(const std::string& description, std::string& why);

// The first error the pipeline posted and nobody took yet, as text.
std::optional<std::string> takeError(GstElement* pipeline);

// Moves the pipeline to `state` and waits until it is there, at most `seconds`.
bool reachState(GstElement* pipeline, GstState state, double seconds);

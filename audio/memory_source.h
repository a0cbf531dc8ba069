#pragma once

#include <gst/gst.h>

#include <memory>
#include <string>

// Makes the appsrc `source` hand a recording held in memory to the pipeline,
// seekable, so that the file is read once by the program's own bounded reader
// and GStreamer never opens it itself.
void feedFromMemory(GstElement* source, std::shared_ptr<const std::string> bytes);

#include "audio/gst_pipeline.h"

void GstObjectRelease::operator()(GstElement* element) const {
    gst_element_set_state(element, GST_STATE_NULL);
    gst_object_unref(element);
}

std::optional<std::string> gstreamerProblem() {
    static const std::optional<std::string> problem = []() -> std::optional<std::string> {
        GError* error = nullptr;
        if (gst_init_check(nullptr, nullptr, &error))
            return std::nullopt;
        std::string why = error ? error->message : "GStreamer cannot start";
        g_clear_error(&error);
        return why;
    }();
    return problem;
}

PipelinePtr launchPipeline(const std::string& description, std::string& why) {
    if (const auto problem = gstreamerProblem()) {
        why = *problem;
        return nullptr;
    }
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(description.c_str(), &error);
    if (error) {
        why = error->message; // an element is missing: a plugin package is not installed
        g_clear_error(&error);
        if (pipeline)
            gst_object_unref(pipeline);
        return nullptr;
    }
    return PipelinePtr(pipeline);
}

std::optional<std::string> takeError(GstElement* pipeline) {
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
    gst_object_unref(bus);
    if (!message)
        return std::nullopt;
    GError* error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    std::string why = error ? error->message : "the recording cannot be decoded";
    g_clear_error(&error);
    gst_message_unref(message);
    return why;
}

bool reachState(GstElement* pipeline, GstState state, double seconds) {
    if (gst_element_set_state(pipeline, state) == GST_STATE_CHANGE_FAILURE)
        return false;
    const auto timeout = static_cast<GstClockTime>(seconds * GST_SECOND);
    return gst_element_get_state(pipeline, nullptr, nullptr, timeout) == GST_STATE_CHANGE_SUCCESS;
}

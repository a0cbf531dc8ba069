#include "audio/recording_decoder.h"

#include "audio/gst_pipeline.h"
#include "audio/memory_source.h"

#include <gst/app/gstappsink.h>

#include <cstring>

namespace {

constexpr GstClockTime kWait = 100 * GST_MSECOND;
// A stream that gives nothing for this long, without an end or an error, is
// given up rather than waited for.
constexpr int kLongestStall = 100; // waits

std::string pipelineFor(int rate) {
    // Resampling at the lowest quality: the pauses are all that is looked for.
    return "appsrc name=source ! decodebin ! audioconvert ! audioresample quality=0 ! "
           "audio/x-raw,format=F32LE,layout=interleaved,channels=1,rate=" +
           std::to_string(rate) + " ! appsink name=sink sync=false max-buffers=64";
}

void append(GstSample* sample, std::vector<float>& samples) {
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    GstMapInfo map;
    if (buffer && gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        const std::size_t count = map.size / sizeof(float);
        const std::size_t at = samples.size();
        samples.resize(at + count);
        std::memcpy(samples.data() + at, map.data, count * sizeof(float));
        gst_buffer_unmap(buffer, &map);
    }
    gst_sample_unref(sample);
}

GstElement* element(GstElement* pipeline, const char* name) {
    GstElement* found = gst_bin_get_by_name(GST_BIN(pipeline), name);
    gst_object_unref(found); // the pipeline holds it
    return found;
}

} // namespace

std::variant<std::shared_ptr<const std::string>, FileProblem>
readRecording(const std::string& path) {
    auto read = readRegularFile(path, kRecordingFileLimit);
    if (const auto* problem = std::get_if<FileProblem>(&read))
        return *problem;
    return std::make_shared<const std::string>(std::move(std::get<std::string>(read)));
}

std::variant<MonoAudio, std::string> decodeRecording(std::shared_ptr<const std::string> bytes,
                                                     int rate) {
    if (bytes->empty())
        return std::string("the recording is empty");
    std::string why;
    PipelinePtr pipeline = launchPipeline(pipelineFor(rate), why);
    if (!pipeline)
        return why;
    feedFromMemory(element(pipeline.get(), "source"), std::move(bytes));
    auto* sink = GST_APP_SINK(element(pipeline.get(), "sink"));
    if (gst_element_set_state(pipeline.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
        return takeError(pipeline.get()).value_or("the recording cannot be decoded");
    MonoAudio audio{rate, {}};
    // A damaged file stops the stream with an error and no end: the bus says so.
    for (int stalled = 0; !gst_app_sink_is_eos(sink);) {
        if (GstSample* sample = gst_app_sink_try_pull_sample(sink, kWait)) {
            append(sample, audio.samples);
            stalled = 0;
        } else if (auto error = takeError(pipeline.get())) {
            return *error;
        } else if (++stalled == kLongestStall) {
            return std::string("the recording stopped giving sound");
        }
    }
    if (audio.samples.empty())
        return std::string("the recording holds no sound");
    return audio;
}

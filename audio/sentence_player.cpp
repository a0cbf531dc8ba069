#include "audio/sentence_player.h"

#include "audio/gst_pipeline.h"
#include "audio/memory_source.h"

namespace {

constexpr double kPrerollSeconds = 10;

// scaletempo keeps the pitch when the playback rate changes.
constexpr const char* kDecodeAndStretch =
    "appsrc name=source ! decodebin ! audioconvert ! audioresample ! scaletempo ! "
    "audioconvert ! audioresample ! ";

std::string quoted(const std::string& path) {
    std::string text = "\"";
    for (char c : path) {
        if (c == '"' || c == '\\')
            text += '\\';
        text += c;
    }
    return text + '"';
}

} // namespace

struct SentencePlayer::Pipeline {
    PipelinePtr element;
};

SentencePlayer::SentencePlayer(std::unique_ptr<Pipeline> pipeline)
    : m_pipeline(std::move(pipeline)) {}

SentencePlayer::~SentencePlayer() = default;

namespace {

PipelinePtr pausedPipeline(std::shared_ptr<const std::string> recording, const std::string& sink,
                           std::string& why) {
    PipelinePtr pipeline = launchPipeline(kDecodeAndStretch + sink, why);
    if (!pipeline)
        return nullptr;
    GstElement* source = gst_bin_get_by_name(GST_BIN(pipeline.get()), "source");
    feedFromMemory(source, std::move(recording));
    gst_object_unref(source);
    if (!reachState(pipeline.get(), GST_STATE_PAUSED, kPrerollSeconds)) {
        why = takeError(pipeline.get()).value_or("the recording cannot be played");
        return nullptr;
    }
    return pipeline;
}

} // namespace

std::unique_ptr<SentencePlayer>
SentencePlayer::toSpeakers(std::shared_ptr<const std::string> recording, std::string& why) {
    PipelinePtr pipeline = pausedPipeline(std::move(recording), "autoaudiosink", why);
    if (!pipeline)
        return nullptr;
    return std::unique_ptr<SentencePlayer>(
        new SentencePlayer(std::make_unique<Pipeline>(Pipeline{std::move(pipeline)})));
}

std::unique_ptr<SentencePlayer> SentencePlayer::toFile(std::shared_ptr<const std::string> recording,
                                                       const std::string& wavPath,
                                                       std::string& why) {
    PipelinePtr pipeline = pausedPipeline(
        std::move(recording), "wavenc ! filesink sync=false location=" + quoted(wavPath), why);
    if (!pipeline)
        return nullptr;
    return std::unique_ptr<SentencePlayer>(
        new SentencePlayer(std::make_unique<Pipeline>(Pipeline{std::move(pipeline)})));
}

bool SentencePlayer::play(Sentence sentence, double rate, int times) {
    m_sentence = sentence;
    m_rate = rate;
    m_playsLeft = std::max(1, times);
    m_playsBegun = 0;
    return seek();
}

bool SentencePlayer::seek() {
    GstElement* pipeline = m_pipeline->element.get();
    gst_element_set_state(pipeline, GST_STATE_PAUSED);
    gst_element_get_state(pipeline, nullptr, nullptr, GST_SECOND);
    const auto at = [](double seconds) { return static_cast<gint64>(seconds * GST_SECOND); };
    const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    if (!gst_element_seek(pipeline, m_rate, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET,
                          at(m_sentence->start), GST_SEEK_TYPE_SET, at(m_sentence->end))) {
        m_problem = "the recording cannot be played from there";
        m_playsLeft = 0;
        return false;
    }
    ++m_playsBegun;
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    return true;
}

bool SentencePlayer::poll() {
    GstElement* pipeline = m_pipeline->element.get();
    GstBus* bus = gst_element_get_bus(pipeline);
    while (GstMessage* message = gst_bus_pop_filtered(
               bus, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR))) {
        if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
            GError* error = nullptr;
            gst_message_parse_error(message, &error, nullptr);
            m_problem = error ? error->message : "the recording stopped playing";
            g_clear_error(&error);
            m_playsLeft = 0;
        } else if (m_playsLeft > 0 && --m_playsLeft > 0) {
            seek();
        }
        gst_message_unref(message);
    }
    gst_object_unref(bus);
    return playing();
}

std::optional<double> SentencePlayer::position() const {
    gint64 at = 0;
    if (!gst_element_query_position(m_pipeline->element.get(), GST_FORMAT_TIME, &at))
        return std::nullopt;
    return static_cast<double>(at) / GST_SECOND;
}

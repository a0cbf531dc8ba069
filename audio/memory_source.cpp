#include "audio/memory_source.h"

#include <gst/app/gstappsrc.h>

#include <algorithm>

namespace {

constexpr guint kChunk = 64 * 1024;

struct Feed {
    std::shared_ptr<const std::string> bytes;
    std::size_t offset = 0;
};

void releaseBytes(gpointer held) {
    delete static_cast<std::shared_ptr<const std::string>*>(held);
}

// Each buffer shares the bytes rather than copying them.
void needData(GstAppSrc* source, guint length, gpointer data) {
    auto& feed = *static_cast<Feed*>(data);
    const std::string& bytes = *feed.bytes;
    if (feed.offset >= bytes.size()) {
        gst_app_src_end_of_stream(source);
        return;
    }
    const std::size_t wanted = length == 0 || length == G_MAXUINT ? kChunk : length;
    const std::size_t size = std::min(wanted, bytes.size() - feed.offset);
    GstBuffer* buffer = gst_buffer_new_wrapped_full(
        GST_MEMORY_FLAG_READONLY, const_cast<char*>(bytes.data()), bytes.size(), feed.offset, size,
        new std::shared_ptr<const std::string>(feed.bytes), releaseBytes);
    GST_BUFFER_OFFSET(buffer) = feed.offset;
    feed.offset += size;
    gst_app_src_push_buffer(source, buffer);
}

gboolean seekData(GstAppSrc*, guint64 offset, gpointer data) {
    auto& feed = *static_cast<Feed*>(data);
    feed.offset = static_cast<std::size_t>(offset);
    return feed.offset <= feed.bytes->size();
}

void releaseFeed(gpointer data) {
    delete static_cast<Feed*>(data);
}

} // namespace

void feedFromMemory(GstElement* source, std::shared_ptr<const std::string> bytes) {
    auto* appSource = GST_APP_SRC(source);
    gst_app_src_set_stream_type(appSource, GST_APP_STREAM_TYPE_RANDOM_ACCESS);
    gst_app_src_set_size(appSource, static_cast<gint64>(bytes->size()));
    GstAppSrcCallbacks callbacks{};
    callbacks.need_data = needData;
    callbacks.seek_data = seekData;
    gst_app_src_set_callbacks(appSource, &callbacks, new Feed{std::move(bytes)}, releaseFeed);
}

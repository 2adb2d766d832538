#include "toolkit/jpegsource.h"

#include <jerror.h>

namespace tk {

namespace {

constexpr std::size_t ReadAhead = 64 * 1024;

struct FileSource {
    jpeg_source_mgr manager;
    std::FILE* file;
    JOCTET* buffer;
};

FileSource& sourceOf(j_decompress_ptr info)
{
    return *reinterpret_cast<FileSource*>(info->src);
}

void startReading(j_decompress_ptr) {}

boolean fill(j_decompress_ptr info)
{
    FileSource& s = sourceOf(info);
    std::size_t bytes = std::fread(s.buffer, 1, ReadAhead, s.file);
    if (bytes == 0) {
        WARNMS(info, JWRN_JPEG_EOF);
        s.buffer[0] = JOCTET(0xFF);
        s.buffer[1] = JOCTET(JPEG_EOI);
        bytes = 2;
    }
    s.manager.next_input_byte = s.buffer;
    s.manager.bytes_in_buffer = bytes;
    return TRUE;
}

void skip(j_decompress_ptr info, long count)
{
    FileSource& s = sourceOf(info);
    if (count <= 0)
        return;
    while (std::size_t(count) > s.manager.bytes_in_buffer) {
        count -= long(s.manager.bytes_in_buffer);
        fill(info);
    }
    s.manager.next_input_byte += count;
    s.manager.bytes_in_buffer -= std::size_t(count);
}

void endReading(j_decompress_ptr) {}

} // namespace

void readAheadFrom(jpeg_decompress_struct& info, std::FILE* file)
{
    const auto common = reinterpret_cast<j_common_ptr>(&info);
    auto* s = static_cast<FileSource*>((*info.mem->alloc_small)(common, JPOOL_PERMANENT, sizeof(FileSource)));
    s->buffer = static_cast<JOCTET*>((*info.mem->alloc_large)(common, JPOOL_PERMANENT, ReadAhead));
    s->file = file;
    s->manager.init_source = startReading;
    s->manager.fill_input_buffer = fill;
    s->manager.skip_input_data = skip;
    s->manager.resync_to_restart = jpeg_resync_to_restart;
    s->manager.term_source = endReading;
    s->manager.bytes_in_buffer = 0;
    s->manager.next_input_byte = nullptr;
    info.src = &s->manager;
}

} // namespace tk

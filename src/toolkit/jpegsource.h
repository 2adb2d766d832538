#pragma once

#include <cstdio>
#include <jpeglib.h>

namespace tk {

// Lets libjpeg read `file` 64 KB at a time. Its own file source reads 4 KB at a
// time, and libjpeg-turbo decodes a group of blocks on its fast path only while
// about 3 KB of the file lie ready, so most groups took the slow path: a photo's
// upper rows decoded a third slower. The end of the file is read as libjpeg's
// own source reads it: a warning, and an end marker in place of the missing end.
// The source lives in libjpeg's pools and goes with the decompressor.
void readAheadFrom(jpeg_decompress_struct& info, std::FILE* file);

} // namespace tk

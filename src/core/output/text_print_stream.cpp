#include "output/text_print_stream.h"

#include "files/file_io.h"

namespace vexa {

Outcome TextPrintStream::open() {
    text_.clear();
    return Outcome::success();
}

Outcome TextPrintStream::close() {
    if (file_.empty()) return Outcome::success();
    return writeFileAtomic(file_, text_);
}

} // namespace vexa

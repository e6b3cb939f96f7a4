// An output unit writing whole records.
#include "layout/record_writer.h"

#include "layout/fatal_error.h"

namespace layout {

RecordWriter::RecordWriter(std::ostream& out, std::string_view line_end, int unit, std::string path)
    : out_(&out), line_end_(line_end), unit_(unit), path_(std::move(path)) {}

void RecordWriter::put(std::string_view record) {
  out_->write(record.data(), static_cast<std::streamsize>(record.size()));
  out_->write(line_end_.data(), static_cast<std::streamsize>(line_end_.size()));
  if (!*out_ && unit_ != kConsoleUnit) raise_fatal(FatalKind::kWriteError, unit_, path_);
}

void RecordWriter::flush() {
  out_->flush();
  if (!*out_ && unit_ != kConsoleUnit) raise_fatal(FatalKind::kWriteError, unit_, path_);
}

}  // namespace layout

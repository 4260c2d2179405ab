#include "app/table/output_buffer.h"

namespace vcurve::table {

OutputBuffer::OutputBuffer(std::FILE* out) : out_(out) { data_.reserve(kBlock + 4096); }

void OutputBuffer::writeOut() {
  // After a failure the rest is dropped: the table is incomplete whatever
  // follows, and finish() reports it.
  if (!failed_ && !data_.empty() &&
      std::fwrite(data_.data(), 1, data_.size(), out_) != data_.size()) {
    failed_ = true;
  }
  data_.clear();
}

bool OutputBuffer::finish() {
  writeOut();
  if (std::fflush(out_) != 0 || std::ferror(out_) != 0) failed_ = true;
  return !failed_;
}

}  // namespace vcurve::table

#include "outlook/ical/RecordTexts.h"

#include <limits>
#include <stdexcept>

namespace lumivane::ical {

TextRef RecordTexts::Add(std::string_view text) {
  if (shared_) {
    // Records read from a snapshot gain a text (rare): the block becomes their own.
    own_.assign(sharedBytes_);
    shared_.reset();
    sharedBytes_ = {};
  }
  constexpr std::size_t kLimit = std::numeric_limits<std::uint32_t>::max();
  if (text.size() > kLimit - own_.size()) {
    throw std::length_error("the texts of one calendar file pass 4 GiB");
  }
  const TextRef ref{static_cast<std::uint32_t>(own_.size()),
                    static_cast<std::uint32_t>(text.size())};
  own_ += text;
  return ref;
}

void RecordTexts::Share(std::shared_ptr<const char[]> buffer, std::string_view bytes) {
  std::string().swap(own_);
  shared_ = std::move(buffer);
  sharedBytes_ = bytes;
}

}  // namespace lumivane::ical

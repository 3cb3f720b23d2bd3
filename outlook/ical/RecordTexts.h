#pragma once
// The texts of one source's records (UIDs, subjects, locations, categories),
// kept in one block. A record holds only where its texts lie, so a record is
// small, costs no allocation of its own, and a snapshot's records are read
// without copying a text: the block is then a part of the snapshot's buffer.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace lumivane::ical {

// Where a text lies in its source's block.
struct TextRef {
  std::uint32_t offset = 0;
  std::uint32_t size = 0;
};

class RecordTexts {
 public:
  // Appends a text to the block the records are being built in.
  // std::length_error when the block would pass 4 GiB (a calendar file is
  // read only up to 1 GiB, so no real source comes near).
  TextRef Add(std::string_view text);

  std::string_view operator[](TextRef ref) const { return Bytes().substr(ref.offset, ref.size); }

  // Every text, in the order they were added.
  std::string_view Bytes() const { return shared_ ? sharedBytes_ : std::string_view(own_); }

  // Whether a text of this place lies inside the block.
  bool Holds(TextRef ref) const {
    const std::size_t size = Bytes().size();
    return ref.offset <= size && ref.size <= size - ref.offset;
  }

  // The block becomes a part of a buffer shared with other sources (a
  // snapshot read once for all of them); the buffer lives while a source does.
  void Share(std::shared_ptr<const char[]> buffer, std::string_view bytes);

  // Gives back what the block grew beyond its texts.
  void Trim() { own_.shrink_to_fit(); }

 private:
  std::string own_;
  std::shared_ptr<const char[]> shared_;
  std::string_view sharedBytes_;
};

}  // namespace lumivane::ical

#pragma once
// Pictures that markup names by address, kept between paints. "RES://name"
// loads from the program's resources (":/name"), "FILE://path" from a regular
// file of at most 4 MiB; any other address is recorded but never fetched, so
// it draws nothing. An address that failed to load is not tried again until
// the cache is emptied (the markup label empties it when its text changes).
// Markup can come from other people: once the pictures held reach 256 MB,
// further addresses are recorded without loading.
#include <QImage>
#include <string>
#include <unordered_map>

namespace lumivane {

class THTMLPictureCache {
 public:
  // The picture for an address, loaded on first use; nullptr when there is
  // none. The pointer stays valid until the cache is emptied.
  const QImage* Find(const std::string& address);
  bool Contains(const std::string& address) const { return pictures_.count(address) != 0; }
  int Count() const { return static_cast<int>(pictures_.size()); }
  void Clear() {
    pictures_.clear();
    bytes_ = 0;
  }

 private:
  static QImage Load(const std::string& address);

  std::unordered_map<std::string, QImage> pictures_;
  qsizetype bytes_ = 0;  // held by the pictures
};

}  // namespace lumivane

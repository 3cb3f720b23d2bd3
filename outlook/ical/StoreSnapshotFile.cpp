#include "outlook/ical/StoreSnapshotFile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>

#include "outlook/ical/IcalRecurrence.h"

namespace lumivane::ical {
namespace {

constexpr char kMagic[8] = {'\x89', 'L', 'V', 'S', 'N', 'A', 'P', '\x1a'};
constexpr std::uint32_t kNoZone = std::numeric_limits<std::uint32_t>::max();
// Bounds of the values a parse can give, far outside any calendar's dates;
// a value beyond them is no value of ours.
constexpr double kDateBound = 1e7;                 // automation days
constexpr std::int64_t kWallBound = 100000000000;  // seconds, some 3,000 years
constexpr std::int64_t kDaysBound = 10000000;

class Writer {
 public:
  template <typename T>
  void Put(T value) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out_.append(bytes, sizeof(T));
  }
  void PutText(std::string_view text) {
    Put(static_cast<std::uint32_t>(text.size()));
    out_ += text;
  }
  void PutRef(TextRef ref) {
    Put(ref.offset);
    Put(ref.size);
  }
  void PutBytes(std::string_view bytes) { out_ += bytes; }
  std::string& Out() { return out_; }

 private:
  std::string out_;
};

// Zones are written once per snapshot and named by their index.
class ZoneTable {
 public:
  explicit ZoneTable(const ZoneCache& zones) : zones_(zones) {}

  // False when the zone cannot be named.
  bool Index(const TimeBase& base, std::uint32_t& index) {
    if (base.kind != TimeBase::Kind::Zoned) {
      index = kNoZone;
      return true;
    }
    if (!base.zone) return false;
    if (const auto found = indexes_.find(base.zone.get()); found != indexes_.end()) {
      index = found->second;
      return true;
    }
    auto origin = zones_.OriginOf(base.zone.get());
    if (!origin) return false;
    index = static_cast<std::uint32_t>(origins_.size());
    origins_.push_back(std::move(*origin));
    named_.push_back(base.zone.get());
    indexes_.emplace(base.zone.get(), index);
    return true;
  }
  const std::vector<ZoneCache::Origin>& Origins() const { return origins_; }
  const IcalTimeZone& Zone(std::size_t index) const { return *named_[index]; }

 private:
  const ZoneCache& zones_;
  std::map<const IcalTimeZone*, std::uint32_t> indexes_;
  std::vector<ZoneCache::Origin> origins_;
  std::vector<const IcalTimeZone*> named_;
};

// Offsets of real zones stay within a day; anything else is no zone of ours.
constexpr std::int32_t kOffsetBound = 86400;
constexpr std::uint32_t kMaxYearlyParts = 31;
constexpr int kMaxInterval = 1000;

// Whether the reader takes these rules back: rules beyond its bounds (no
// real zone's) are left out, else the snapshot would be refused every time.
bool PartsFit(const std::vector<Observance>& parts) {
  return std::all_of(parts.begin(), parts.end(), [](const Observance& part) {
    if (std::abs(part.offsetFrom) > kOffsetBound || std::abs(part.offsetTo) > kOffsetBound) {
      return false;
    }
    if (!part.rule) return true;
    const YearlyRule& rule = *part.rule;
    return rule.interval >= 1 && rule.interval <= kMaxInterval &&
           rule.months.size() <= kMaxYearlyParts && rule.monthDays.size() <= kMaxYearlyParts &&
           rule.weekdays.size() <= kMaxYearlyParts;
  });
}

// A zone's rules, kept so that the next run need not load the zone data.
void PutParts(Writer& w, const std::vector<Observance>& parts) {
  w.Put(static_cast<std::uint32_t>(parts.size()));
  for (const Observance& part : parts) {
    w.Put<std::int64_t>(part.start);
    w.Put<std::int32_t>(part.offsetFrom);
    w.Put<std::int32_t>(part.offsetTo);
    w.Put(static_cast<std::uint32_t>(part.rdates.size()));
    for (const Observance::Date& date : part.rdates) {
      w.Put<std::int64_t>(date.at);
      w.Put<std::uint8_t>(date.instant);
    }
    w.Put<std::uint8_t>(part.rule.has_value());
    if (!part.rule) continue;
    const YearlyRule& rule = *part.rule;
    w.Put<std::int32_t>(rule.interval);
    w.Put(static_cast<std::uint32_t>(rule.months.size()));
    for (int month : rule.months) w.Put<std::int8_t>(static_cast<std::int8_t>(month));
    w.Put(static_cast<std::uint32_t>(rule.monthDays.size()));
    for (int day : rule.monthDays) w.Put<std::int8_t>(static_cast<std::int8_t>(day));
    w.Put(static_cast<std::uint32_t>(rule.weekdays.size()));
    for (const YearlyRule::Weekday& day : rule.weekdays) {
      w.Put<std::int8_t>(static_cast<std::int8_t>(day.ordinal));
      w.Put<std::int8_t>(static_cast<std::int8_t>(day.day));
    }
    w.Put<std::uint8_t>(rule.until.has_value());
    if (rule.until) w.Put<std::int64_t>(*rule.until);
  }
}

// What the records are written with.
struct Encoding {
  ZoneTable& zones;
  bool aids;  // what only spares work when reading is written too
};

bool PutAppointment(Writer& w, Encoding& encoding, const Appointment& item);

// A rule as the native expander holds it, so that reading it back needs no
// parse of its text.
void PutNativeRule(Writer& w, const GregorianRule& rule) {
  w.Put(static_cast<std::uint8_t>(rule.frequency));
  w.Put<std::int32_t>(rule.interval);
  w.Put<std::int64_t>(rule.count);
  w.Put<std::int64_t>(rule.until);
  w.Put(static_cast<std::uint8_t>(rule.weekStart));
  w.Put(rule.weekdays);
  for (const std::uint8_t bits : rule.fromFirst) w.Put(bits);
  for (const std::uint8_t bits : rule.fromLast) w.Put(bits);
  w.Put(rule.monthDays);
  w.Put(rule.lastMonthDays);
  w.Put(rule.months);
}

bool PutSeries(Writer& w, Encoding& encoding, const Series& series) {
  w.Put(static_cast<std::uint32_t>(series.rules.size()));
  for (const SeriesRule& rule : series.rules) {
    w.PutText(rule.text);
    const bool native = encoding.aids && rule.native;
    w.Put<std::uint8_t>(native);
    if (native) PutNativeRule(w, *rule.native);
  }
  w.Put<std::int64_t>(series.dtstart);
  w.Put<std::uint8_t>(series.isDate);
  std::uint32_t zone = kNoZone;
  if (!encoding.zones.Index(series.base, zone)) return false;
  w.Put(static_cast<std::uint8_t>(series.base.kind));
  w.Put(zone);
  w.Put<std::int32_t>(series.durationDays);
  w.Put<std::int64_t>(series.durationSeconds);
  w.Put(static_cast<std::uint32_t>(series.rdates.size()));
  for (const ExtraDate& extra : series.rdates) {
    w.Put<std::int64_t>(extra.start);
    w.Put<std::int64_t>(extra.seconds);
  }
  w.Put(static_cast<std::uint32_t>(series.exdates.size()));
  for (const WallSeconds wall : series.exdates) w.Put<std::int64_t>(wall);
  w.Put(static_cast<std::uint32_t>(series.exdateDays.size()));
  for (const std::int64_t day : series.exdateDays) w.Put<std::int64_t>(day);
  w.Put(static_cast<std::uint32_t>(series.overrides.size()));
  for (const Override& entry : series.overrides) {
    w.Put<std::int64_t>(entry.recurrenceId);
    w.Put<std::uint8_t>(entry.dateOnly);
    w.Put<std::uint8_t>(entry.cancelled);
    if (entry.item.series) return false;  // an instance is no series
    if (!PutAppointment(w, encoding, entry.item)) return false;
  }
  return true;
}

bool PutAppointment(Writer& w, Encoding& encoding, const Appointment& item) {
  w.Put<double>(item.start);
  w.Put<double>(item.end);
  w.Put<std::uint8_t>(item.allDay);
  w.Put<std::uint32_t>(item.ordinal);
  w.PutRef(item.uid);
  w.PutRef(item.subject);
  w.PutRef(item.location);
  w.PutRef(item.categories);
  w.Put<std::uint8_t>(item.series != nullptr);
  return !item.series || PutSeries(w, encoding, *item.series);
}

void PutTask(Writer& w, const Task& task) {
  w.Put<double>(task.dueDate);
  w.Put<double>(task.startDate);
  w.Put<std::uint8_t>(task.complete);
  w.Put<std::int32_t>(task.importance);
  w.Put<std::uint32_t>(task.ordinal);
  w.PutRef(task.uid);
  w.PutRef(task.subject);
  w.PutRef(task.categories);
}

// The texts go first as one block, which a reader keeps as it is; the
// records say where their texts lie in it.
bool PutContent(Writer& w, Encoding& encoding, const SourceContent& content) {
  w.PutText(content.texts.Bytes());
  w.Put(static_cast<std::uint32_t>(content.appointments.size()));
  for (const Appointment& item : content.appointments) {
    if (!PutAppointment(w, encoding, item)) return false;
  }
  w.Put(static_cast<std::uint32_t>(content.tasks.size()));
  for (const Task& task : content.tasks) PutTask(w, task);
  return true;
}

void PutSignature(Writer& w, const FileSignature& s) {
  w.Put(s.device);
  w.Put(s.inode);
  w.Put(s.size);
  w.Put(s.modified);
  w.Put(s.changed);
}

std::uint64_t Rotate(std::uint64_t x, int bits) {
  return (x << bits) | (x >> (64 - bits));
}

}  // namespace

// Reads what the writer wrote; any shortfall or value out of its range sets
// `failed`, after which every read gives zero.
class SnapshotDecoder {
 public:
  explicit SnapshotDecoder(std::string_view data) : data_(data) {}

  bool Failed() const { return failed_; }
  bool AtEnd() const { return position_ == data_.size(); }
  std::size_t Remaining() const { return data_.size() - position_; }

  template <typename T>
  T Get() {
    T value{};
    if (failed_ || Remaining() < sizeof(T)) {
      failed_ = true;
      return value;
    }
    std::memcpy(&value, data_.data() + position_, sizeof(T));
    position_ += sizeof(T);
    return value;
  }
  std::string_view GetBytes(std::uint64_t size) {
    if (failed_ || Remaining() < size) {
      failed_ = true;
      return {};
    }
    const std::string_view bytes = data_.substr(position_, static_cast<std::size_t>(size));
    position_ += static_cast<std::size_t>(size);
    return bytes;
  }
  std::string_view GetText() { return GetBytes(Get<std::uint32_t>()); }
  bool GetFlag() {
    const auto value = Get<std::uint8_t>();
    if (value > 1) failed_ = true;
    return value == 1;
  }
  // A count of elements that take at least `least` bytes each.
  std::uint32_t GetCount(std::size_t least) {
    const auto count = Get<std::uint32_t>();
    if (!failed_ && count > Remaining() / least) failed_ = true;
    return failed_ ? 0 : count;
  }
  double GetDate() {
    const auto value = Get<double>();
    if (!IsDate(value)) failed_ = true;
    return value;
  }
  static bool IsDate(double value) {
    return std::isfinite(value) && std::fabs(value) <= kDateBound;
  }
  std::int64_t GetBounded(std::int64_t bound) {
    const auto value = Get<std::int64_t>();
    if (value < -bound || value > bound) failed_ = true;
    return value;
  }
  void Fail() { failed_ = true; }

 private:
  std::string_view data_;
  std::size_t position_ = 0;
  bool failed_ = false;
};

namespace {

bool GetParts(SnapshotDecoder& in, std::vector<Observance>& parts) {
  const std::uint32_t count = in.GetCount(21);
  parts.reserve(count);
  for (std::uint32_t i = 0; i < count && !in.Failed(); ++i) {
    Observance& part = parts.emplace_back();
    part.start = in.GetBounded(kWallBound);
    part.offsetFrom = in.Get<std::int32_t>();
    part.offsetTo = in.Get<std::int32_t>();
    if (std::abs(part.offsetFrom) > kOffsetBound || std::abs(part.offsetTo) > kOffsetBound) {
      return false;
    }
    const std::uint32_t dates = in.GetCount(9);
    part.rdates.reserve(dates);
    for (std::uint32_t d = 0; d < dates; ++d) {
      const WallSeconds at = in.GetBounded(kWallBound);
      part.rdates.push_back({at, in.GetFlag()});
    }
    if (!in.GetFlag()) continue;
    YearlyRule& rule = part.rule.emplace();
    rule.interval = in.Get<std::int32_t>();
    if (rule.interval < 1 || rule.interval > kMaxInterval) return false;
    const auto list = [&in](std::vector<int>& values, int low, int high) {
      const std::uint32_t n = in.GetCount(1);
      if (n > kMaxYearlyParts) return false;
      for (std::uint32_t k = 0; k < n; ++k) {
        const int value = in.Get<std::int8_t>();
        if (value < low || value > high || value == 0) return false;
        values.push_back(value);
      }
      return true;
    };
    if (!list(rule.months, 1, 12) || !list(rule.monthDays, -31, 31)) return false;
    const std::uint32_t weekdays = in.GetCount(2);
    if (weekdays > kMaxYearlyParts) return false;
    for (std::uint32_t k = 0; k < weekdays; ++k) {
      const int ordinal = in.Get<std::int8_t>();
      const int day = in.Get<std::int8_t>();
      if (ordinal < -5 || ordinal > 5 || day < 0 || day > 6) return false;
      rule.weekdays.push_back({ordinal, day});
    }
    if (in.GetFlag()) rule.until = in.GetBounded(kWallBound);
  }
  return !in.Failed();
}

// Fields of a byte block whose whole length was checked before.
class Block {
 public:
  explicit Block(std::string_view bytes) : bytes_(bytes) {}

  template <typename T>
  T Get() {
    T value{};
    if (position_ + sizeof(T) > bytes_.size()) return value;  // no block: zeros
    std::memcpy(&value, bytes_.data() + position_, sizeof(T));
    position_ += sizeof(T);
    return value;
  }
  TextRef GetRef() {
    TextRef ref;
    ref.offset = Get<std::uint32_t>();
    ref.size = Get<std::uint32_t>();
    return ref;
  }

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
};

class ContentDecoder {
 public:
  ContentDecoder(SnapshotDecoder& in, const RecordTexts& texts, ZoneCache& zones,
                 std::vector<std::shared_ptr<const IcalTimeZone>>& resolved,
                 std::vector<bool>& tried, const std::vector<ZoneCache::Origin>& origins,
                 std::vector<std::optional<std::vector<Observance>>>& parts)
      : in_(in),
        texts_(texts),
        zones_(zones),
        resolved_(resolved),
        tried_(tried),
        origins_(origins),
        parts_(parts) {}

  bool Appointment(ical::Appointment& item, bool mayBeSeries) {
    // The fields before the series are taken as one block, checked once for
    // its length: most records are nothing but this block.
    constexpr std::size_t kFixed = 8 + 8 + 1 + 4 + 4 * 8 + 1;
    Block block(in_.GetBytes(kFixed));
    if (in_.Failed()) return false;
    item.start = block.Get<double>();
    item.end = block.Get<double>();
    const auto allDay = block.Get<std::uint8_t>();
    item.ordinal = block.Get<std::uint32_t>();
    item.uid = block.GetRef();
    item.subject = block.GetRef();
    item.location = block.GetRef();
    item.categories = block.GetRef();
    const auto isSeries = block.Get<std::uint8_t>();
    if (!SnapshotDecoder::IsDate(item.start) || !SnapshotDecoder::IsDate(item.end) || allDay > 1 ||
        isSeries > 1 || !texts_.Holds(item.uid) || !texts_.Holds(item.subject) ||
        !texts_.Holds(item.location) || !texts_.Holds(item.categories)) {
      return false;
    }
    item.allDay = allDay == 1;
    if (isSeries == 1) {
      if (!mayBeSeries) return false;
      item.series = std::make_unique<Series>();
      if (!SeriesOf(*item.series)) return false;
    }
    return !in_.Failed();
  }

  bool Task(ical::Task& task) {
    task.dueDate = in_.GetDate();
    task.startDate = in_.GetDate();
    task.complete = in_.GetFlag();
    task.importance = in_.Get<std::int32_t>();
    if (task.importance < kImportanceLow || task.importance > kImportanceHigh) return false;
    task.ordinal = in_.Get<std::uint32_t>();
    task.uid = Ref();
    task.subject = Ref();
    task.categories = Ref();
    return !in_.Failed();
  }

 private:
  // A text's place, which must lie inside the block.
  TextRef Ref() {
    TextRef ref;
    ref.offset = in_.Get<std::uint32_t>();
    ref.size = in_.Get<std::uint32_t>();
    if (!texts_.Holds(ref)) in_.Fail();
    return ref;
  }

  bool SeriesOf(Series& series) {
    const std::uint32_t rules = in_.GetCount(5);
    series.rules.reserve(rules);
    std::vector<bool> read(rules, false);  // kept as the native expander holds it
    for (std::uint32_t i = 0; i < rules; ++i) {
      SeriesRule& rule = series.rules.emplace_back();
      rule.text = in_.GetText();
      if (in_.GetFlag()) {
        rule.native = NativeRule();
        if (!rule.native) return false;
        read[i] = true;
      }
    }
    series.dtstart = in_.GetBounded(kWallBound);
    series.isDate = in_.GetFlag();
    const auto kind = in_.Get<std::uint8_t>();
    const auto zone = in_.Get<std::uint32_t>();
    if (in_.Failed() || !BaseOf(kind, zone, series.base)) return false;
    const auto wallFromUtc = [&series](UtcSeconds utc) { return series.base.FromUtc(utc); };
    for (std::uint32_t i = 0; i < rules; ++i) {
      if (read[i]) continue;
      SeriesRule& rule = series.rules[i];
      rule.native = ReadNativeRule(rule.text, series.isDate, wallFromUtc);
      // A rule the native expander does not take goes to libical at every
      // expansion: only one it reads.
      if (!rule.native && !IsValidRule(rule.text)) return false;
    }
    series.durationDays = static_cast<std::int32_t>(in_.Get<std::int32_t>());
    if (series.durationDays < 0 || series.durationDays > kDaysBound) return false;
    series.durationSeconds = in_.GetBounded(kWallBound);
    if (series.durationSeconds < 0) return false;
    const std::uint32_t rdates = in_.GetCount(16);
    series.rdates.reserve(rdates);
    for (std::uint32_t i = 0; i < rdates; ++i) {
      ExtraDate extra;
      extra.start = in_.GetBounded(kWallBound);
      extra.seconds = in_.GetBounded(kWallBound);
      if (extra.seconds < -1) return false;
      series.rdates.push_back(extra);
    }
    const std::uint32_t exdates = in_.GetCount(8);
    series.exdates.reserve(exdates);
    for (std::uint32_t i = 0; i < exdates; ++i)
      series.exdates.push_back(in_.GetBounded(kWallBound));
    const std::uint32_t days = in_.GetCount(8);
    series.exdateDays.reserve(days);
    for (std::uint32_t i = 0; i < days; ++i)
      series.exdateDays.push_back(in_.GetBounded(kDaysBound));
    const std::uint32_t overrides = in_.GetCount(10);
    series.overrides.reserve(overrides);
    for (std::uint32_t i = 0; i < overrides; ++i) {
      Override entry;
      entry.recurrenceId = in_.GetBounded(kWallBound);
      entry.dateOnly = in_.GetFlag();
      entry.cancelled = in_.GetFlag();
      if (!Appointment(entry.item, false)) return false;
      series.overrides.push_back(std::move(entry));
    }
    return !in_.Failed();
  }

  std::optional<GregorianRule> NativeRule() {
    GregorianRule rule;
    const auto frequency = in_.Get<std::uint8_t>();
    rule.interval = in_.Get<std::int32_t>();
    rule.count = in_.Get<std::int64_t>();
    rule.until = in_.Get<std::int64_t>();
    const auto weekStart = in_.Get<std::uint8_t>();
    rule.weekdays = in_.Get<std::uint8_t>();
    // Ordinals 1 to 5 of a weekday, days 1 to 31, months 1 to 12.
    bool inRange = rule.weekdays < 0x80;
    for (auto* bits : {&rule.fromFirst, &rule.fromLast}) {
      for (std::uint8_t& ordinals : *bits) {
        ordinals = in_.Get<std::uint8_t>();
        inRange = inRange && (ordinals & ~0x3Eu) == 0;
      }
    }
    rule.monthDays = in_.Get<std::uint32_t>();
    rule.lastMonthDays = in_.Get<std::uint32_t>();
    rule.months = in_.Get<std::uint16_t>();
    inRange = inRange && (rule.monthDays & 1u) == 0 && (rule.lastMonthDays & 1u) == 0 &&
              (rule.months & ~0x1FFEu) == 0;
    if (in_.Failed() || !inRange || frequency > static_cast<std::uint8_t>(RuleFrequency::kYearly) ||
        rule.interval < 1 || rule.count < 0 || weekStart > 6 ||
        (rule.until != kNoUpperBound && (rule.until < -kWallBound || rule.until > kWallBound))) {
      return std::nullopt;
    }
    rule.frequency = static_cast<RuleFrequency>(frequency);
    rule.weekStart = weekStart;
    return rule;
  }

  bool BaseOf(std::uint8_t kind, std::uint32_t zone, TimeBase& base) {
    switch (kind) {
      case static_cast<std::uint8_t>(TimeBase::Kind::Floating):
      case static_cast<std::uint8_t>(TimeBase::Kind::Utc):
        base.kind = static_cast<TimeBase::Kind>(kind);
        return zone == kNoZone;
      case static_cast<std::uint8_t>(TimeBase::Kind::Zoned):
        if (zone >= origins_.size()) return false;
        if (!tried_[zone]) {
          tried_[zone] = true;
          resolved_[zone] =
              zones_.FromOrigin(origins_[zone], parts_[zone] ? &*parts_[zone] : nullptr);
        }
        base.kind = TimeBase::Kind::Zoned;
        base.zone = resolved_[zone];
        return base.zone != nullptr;
      default:
        return false;
    }
  }

  SnapshotDecoder& in_;
  const RecordTexts& texts_;
  ZoneCache& zones_;
  std::vector<std::shared_ptr<const IcalTimeZone>>& resolved_;
  std::vector<bool>& tried_;
  const std::vector<ZoneCache::Origin>& origins_;
  std::vector<std::optional<std::vector<Observance>>>& parts_;
};

constexpr std::size_t kFixedHeader = sizeof kMagic + 4;

}  // namespace

std::uint64_t SnapshotBodyHash(std::string_view body) {
  // Four independent lanes over 8-byte words: a damaged or cut file is told
  // from an intact one at memory speed. Not a guard against a forger (the
  // cache folder is the user's own).
  constexpr std::uint64_t kPrime = 0x9E3779B97F4A7C15ull;
  std::uint64_t lane0 = body.size();
  std::uint64_t lane1 = kPrime;
  std::uint64_t lane2 = ~std::uint64_t{0};
  std::uint64_t lane3 = 0x2545F4914F6CDD1Dull;
  const auto mix = [&body](std::uint64_t lane, std::size_t at) {
    std::uint64_t word;
    std::memcpy(&word, body.data() + at, 8);
    return Rotate((lane ^ word) * kPrime, 29);
  };
  std::size_t i = 0;
  for (; i + 32 <= body.size(); i += 32) {
    lane0 = mix(lane0, i);
    lane1 = mix(lane1, i + 8);
    lane2 = mix(lane2, i + 16);
    lane3 = mix(lane3, i + 24);
  }
  const std::uint64_t lanes[4] = {lane0, lane1, lane2, lane3};
  std::uint64_t tail = 0;
  for (int shift = 0; i < body.size(); ++i, shift = (shift + 8) % 64) {
    tail ^= static_cast<std::uint64_t>(static_cast<unsigned char>(body[i])) << shift;
    if (shift == 56) tail = Rotate(tail * kPrime, 17);
  }
  std::uint64_t hash = tail * kPrime;
  for (const std::uint64_t lane : lanes) hash = Rotate((hash ^ lane) * kPrime, 31);
  return hash ^ (hash >> 29);
}

std::optional<std::string> EncodeStoreSnapshot(const SnapshotStamp& stamp,
                                               std::span<const SnapshotItem> items,
                                               const ZoneCache& zones, bool aids) {
  ZoneTable table(zones);
  Encoding encoding{table, aids};
  Writer entries;
  entries.Put(static_cast<std::uint32_t>(items.size()));
  for (const SnapshotItem& item : items) {
    Writer content;
    if (!PutContent(content, encoding, *item.content)) return std::nullopt;
    entries.PutText(item.name);
    PutSignature(entries, item.signature);
    entries.Put(static_cast<std::uint64_t>(content.Out().size()));
    entries.PutBytes(content.Out());
  }
  Writer body;
  body.Put(static_cast<std::uint32_t>(table.Origins().size()));
  for (std::size_t i = 0; i < table.Origins().size(); ++i) {
    const ZoneCache::Origin& origin = table.Origins()[i];
    body.Put<std::uint8_t>(origin.defined);
    body.PutText(origin.text);
    // A named zone's rules come from the zone data, which the time
    // environment of the stamp pins down.
    const ZoneRules* rules = origin.defined || !aids ? nullptr : table.Zone(i).Rules();
    if (rules != nullptr && !PartsFit(rules->Parts())) rules = nullptr;
    body.Put<std::uint8_t>(rules != nullptr);
    if (rules != nullptr) PutParts(body, rules->Parts());
  }
  body.PutBytes(entries.Out());

  return WrapSnapshotBody(stamp, body.Out());
}

std::string WrapSnapshotBody(const SnapshotStamp& stamp, std::string_view body) {
  Writer out;
  out.PutBytes({kMagic, sizeof kMagic});
  out.Put(kSnapshotFormatVersion);
  // The stamp's texts by their hashes: a header of fixed size, so a small
  // vdir item's snapshot stays small.
  out.Put(SnapshotBodyHash(stamp.build));
  out.Put(SnapshotBodyHash(stamp.environment));
  out.Put(SnapshotBodyHash(stamp.source));
  out.Put(static_cast<std::uint64_t>(body.size()));
  out.Put(SnapshotBodyHash(body));
  out.PutBytes(body);
  return std::move(out.Out());
}

bool StoreSnapshotReader::Open(SharedBytes buffer, const SnapshotStamp& stamp) {
  buffer_ = {};  // kept only when it holds a usable snapshot
  const std::string_view text = buffer.View();
  origins_.clear();
  parts_.clear();
  resolved_.clear();
  tried_.clear();
  entries_.clear();
  if (text.size() < kFixedHeader || std::memcmp(text.data(), kMagic, sizeof kMagic) != 0) {
    return false;
  }
  SnapshotDecoder in(text.substr(sizeof kMagic));
  if (in.Get<std::uint32_t>() != kSnapshotFormatVersion) return false;
  if (in.Get<std::uint64_t>() != SnapshotBodyHash(stamp.build) ||
      in.Get<std::uint64_t>() != SnapshotBodyHash(stamp.environment) ||
      in.Get<std::uint64_t>() != SnapshotBodyHash(stamp.source)) {
    return false;
  }
  const auto bodySize = in.Get<std::uint64_t>();
  const auto hash = in.Get<std::uint64_t>();
  if (in.Failed() || bodySize != in.Remaining()) return false;
  const std::string_view body = in.GetBytes(bodySize);
  if (SnapshotBodyHash(body) != hash) return false;

  SnapshotDecoder index(body);
  const std::uint32_t zones = index.GetCount(6);
  for (std::uint32_t i = 0; i < zones; ++i) {
    ZoneCache::Origin origin;
    origin.defined = index.GetFlag();
    origin.text = index.GetText();
    std::optional<std::vector<Observance>> parts;
    if (index.GetFlag() && !GetParts(index, parts.emplace())) return false;
    if (index.Failed()) return false;
    origins_.push_back(std::move(origin));
    parts_.push_back(std::move(parts));
  }
  resolved_.resize(origins_.size());
  tried_.assign(origins_.size(), false);
  const std::uint32_t count = index.GetCount(52);
  entries_.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    Entry entry;
    entry.name = index.GetText();
    entry.signature.device = index.Get<std::uint64_t>();
    entry.signature.inode = index.Get<std::uint64_t>();
    entry.signature.size = index.Get<std::int64_t>();
    entry.signature.modified = index.Get<std::int64_t>();
    entry.signature.changed = index.Get<std::int64_t>();
    entry.content = index.GetBytes(index.Get<std::uint64_t>());
    if (index.Failed()) break;
    entries_.push_back(std::move(entry));
  }
  if (index.Failed() || !index.AtEnd()) {
    entries_.clear();
    return false;
  }
  buffer_ = std::move(buffer);
  return true;
}

std::optional<SourceContent> StoreSnapshotReader::Decode(const Entry& entry, ZoneCache& zones) {
  SnapshotDecoder in(entry.content);
  SourceContent content;
  // The records' texts stay where they are, in the snapshot's buffer.
  const std::string_view texts = in.GetText();
  if (in.Failed()) return std::nullopt;
  content.texts.Share(buffer_.block, texts);
  ContentDecoder decode(in, content.texts, zones, resolved_, tried_, origins_, parts_);
  // The smallest appointment takes 54 bytes, the smallest task 49.
  const std::uint32_t appointments = in.GetCount(54);
  content.appointments.reserve(appointments);
  for (std::uint32_t i = 0; i < appointments; ++i) {
    if (!decode.Appointment(content.appointments.emplace_back(), true)) return std::nullopt;
  }
  const std::uint32_t tasks = in.GetCount(49);
  content.tasks.reserve(tasks);
  for (std::uint32_t i = 0; i < tasks; ++i) {
    if (!decode.Task(content.tasks.emplace_back())) return std::nullopt;
  }
  if (in.Failed() || !in.AtEnd()) return std::nullopt;
  return content;
}

}  // namespace lumivane::ical

#include "host/option_list.h"

namespace standin {

OptionList& OptionList::Int(const std::string& key, int32_t value) {
  ints_.push_back(value);
  entries_.push_back({key, &ints_.back(), &ints_.back()});
  return *this;
}

OptionList& OptionList::Pointer(const std::string& key, void* value) {
  entries_.push_back({key, value, nullptr});
  return *this;
}

void* OptionList::Data() {
  pairs_.clear();
  for (Entry& e : entries_) {
    pairs_.push_back(const_cast<char*>(e.key.c_str()));
    pairs_.push_back(e.value);
  }
  pairs_.push_back(nullptr);
  pairs_.push_back(nullptr);
  return pairs_.data();
}

int32_t* OptionList::IntAt(const std::string& key) {
  for (Entry& e : entries_) {
    if (e.key == key) return e.ownedInt;
  }
  return nullptr;
}

int32_t OptionList::IntValue(const std::string& key, int32_t absent) {
  int32_t* p = IntAt(key);
  return p == nullptr ? absent : *p;
}

}  // namespace standin

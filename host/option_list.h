// The option list MQOnEvent takes: a null-terminated array of (key, value pointer)
// pairs. The builder owns the keys and the ints behind int-valued keys, so values
// that the plug-in writes back ("result", "save_uid") can be read afterwards.
//
//   standin::OptionList options;
//   options.Int("result", -1).Int("src_product", 7);
//   MQOnEvent(doc, 103, options.Data());
//   EXPECT_EQ(options.IntValue("result"), 59);
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace standin {

class OptionList {
 public:
  OptionList() = default;
  OptionList(const OptionList&) = delete;
  OptionList& operator=(const OptionList&) = delete;

  // Appends a pair whose value points at an int the list owns. Pairs keep their
  // order; a key may appear more than once.
  OptionList& Int(const std::string& key, int32_t value);
  // Appends a pair with a value pointer the list does not look into (may be null).
  OptionList& Pointer(const std::string& key, void* value);

  // The null-terminated array of pairs, valid until the list changes or dies.
  void* Data();
  void** Pairs() { return static_cast<void**>(Data()); }

  // The int of the first pair with that key, as it is now (after the plug-in
  // wrote into it); null when the key has no owned int.
  int32_t* IntAt(const std::string& key);
  int32_t IntValue(const std::string& key, int32_t absent = 0);
  int Size() const { return static_cast<int>(entries_.size()); }

 private:
  struct Entry {
    std::string key;
    void* value;
    int32_t* ownedInt;  // null for pointer-valued keys
  };
  std::deque<Entry> entries_;  // deque: keys' storage never moves
  std::deque<int32_t> ints_;   // deque: the ints' addresses never move
  std::vector<void*> pairs_;
};

}  // namespace standin

#pragma once
// Fixed-capacity table mapping the small integer IDs of scripts and scenes to
// engine items. The table does not own its items. Failures write their complaint
// into the process-wide ID error text (never the log), so that callers can embed
// it in their own message.

#include <new>
#include <vector>

namespace tk {

const char* idErrorText();
void setIdErrorText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The range checks shared by every table operation; false (and the ID error text
// written) when the ID is out of range.
bool idInRange(int id, int capacity);

template <typename Item>
class IdTable {
 public:
  // A table with all slots empty; null when memory runs out.
  static IdTable* make(int capacity) {
    IdTable* table = new (std::nothrow) IdTable();
    if (!table) return nullptr;
    try {
      table->slots_.assign(capacity > 0 ? capacity : 0, nullptr);
    } catch (const std::bad_alloc&) {
      delete table;
      return nullptr;
    }
    return table;
  }
  static void free(IdTable* table) { delete table; }

  int capacity() const { return static_cast<int>(slots_.size()); }
  int highestId() const { return highest_; }

  int add(int id, Item* item) {
    if (!idInRange(id, capacity())) return -1;
    if (slots_[id]) {
      setIdErrorText("id %d already exist", id);
      return -1;
    }
    slots_[id] = item;
    if (id > highest_) highest_ = id;
    return 0;
  }

  int remove(int id) {
    if (!idInRange(id, capacity())) return -1;
    if (!slots_[id]) {
      setIdErrorText("id %d does not exist", id);
      return -1;
    }
    slots_[id] = nullptr;
    return 0;
  }

  // The item under the ID; null for an empty slot (no text written) or a bad ID.
  Item* get(int id) const {
    if (!idInRange(id, capacity())) return nullptr;
    return slots_[id];
  }

  // The same, but an empty slot also says so in the ID error text, so that a
  // caller's message never repeats an older, unrelated complaint.
  Item* find(int id) const {
    Item* item = get(id);
    if (!item && id >= 0 && id < capacity()) setIdErrorText("id %d does not exist", id);
    return item;
  }

 private:
  IdTable() = default;
  std::vector<Item*> slots_;
  int highest_ = 0;
};

}  // namespace tk

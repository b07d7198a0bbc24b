#include "base/id_table.h"

#include <gtest/gtest.h>

namespace tk {
namespace {

struct Item {};

TEST(IdTableTest, RangeChecksWriteTheComplaint) {
  IdTable<Item>* table = IdTable<Item>::make(1000);
  Item item;
  EXPECT_EQ(table->add(1000, &item), -1);
  EXPECT_STREQ(idErrorText(), "invalid ID 1000 greater or equals than 1000");
  EXPECT_EQ(table->add(-3, &item), -1);
  EXPECT_STREQ(idErrorText(), "invalid negative ID -3");
  EXPECT_EQ(table->add(999, &item), 0);
  EXPECT_EQ(table->add(999, &item), -1);
  EXPECT_STREQ(idErrorText(), "id 999 already exist");
  EXPECT_EQ(table->remove(5), -1);
  EXPECT_STREQ(idErrorText(), "id 5 does not exist");
  IdTable<Item>::free(table);
}

TEST(IdTableTest, GetOnEmptySlotLeavesTheComplaintUnchanged) {
  IdTable<Item>* table = IdTable<Item>::make(10);
  setIdErrorText("previous");
  EXPECT_EQ(table->get(3), nullptr);
  EXPECT_STREQ(idErrorText(), "previous");
  EXPECT_EQ(table->get(10), nullptr);
  EXPECT_STREQ(idErrorText(), "invalid ID 10 greater or equals than 10");
  IdTable<Item>::free(table);
}

TEST(IdTableTest, RemoveKeepsTheHighestIdAndFreesTheSlot) {
  IdTable<Item>* table = IdTable<Item>::make(10);
  Item a, b;
  ASSERT_EQ(table->add(7, &a), 0);
  EXPECT_EQ(table->highestId(), 7);
  ASSERT_EQ(table->remove(7), 0);
  EXPECT_EQ(table->highestId(), 7);
  EXPECT_EQ(table->get(7), nullptr);
  EXPECT_EQ(table->add(7, &b), 0);
  EXPECT_EQ(table->get(7), &b);
  IdTable<Item>::free(table);
}

}  // namespace
}  // namespace tk

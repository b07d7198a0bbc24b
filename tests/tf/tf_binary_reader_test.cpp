#include <gtest/gtest.h>

#include "tests/tf/tf_test_bytes.h"
#include "tf/tf_compare.h"
#include "tf/tf_doc.h"
#include "tf/tf_fpc.h"

namespace tk {
namespace {

using namespace test;

TEST(TfBinaryReader, ReadsTheSameTreeAsTheTextEncoding) {
  std::string bytes = exampleSceneBinary();
  Loaded binary = loadBytes(bytes);
  ASSERT_TRUE(binary.doc) << binary.messages;
  EXPECT_EQ(binary.messages, "");
  EXPECT_EQ(binary.doc->encoding, 0);
  EXPECT_EQ(binary.doc->bufferSize, bytes.size());
  Loaded text = loadBytes(exampleSceneText());
  ASSERT_TRUE(text.doc);
  std::string difference;
  EXPECT_TRUE(TF_SameTree(TF_Root(binary.doc.get()), TF_Root(text.doc.get()), &difference)) << difference;

  // Names and data are used in place in the document's buffer.
  const TF_Node* object = TF_Find(TF_Find(TF_Find(TF_Root(binary.doc.get()), "Scene"), "Objects"), "Object");
  const char* filename = TF_Str(TF_Find(object, "filename"), nullptr);
  const char* buffer = reinterpret_cast<const char*>(binary.doc->buffer.get());
  EXPECT_GE(filename, buffer);
  EXPECT_LT(filename, buffer + bytes.size());
}

TEST(TfBinaryReader, EmptyRecordsArraysAndFiles) {
  Loaded loaded = loadBytes(form(node("empty", "") + narr("none", TF_FP, "") + node("", "")));
  ASSERT_TRUE(loaded.doc) << loaded.messages;
  const TF_Node* root = TF_Root(loaded.doc.get());
  ASSERT_EQ(root->count, 3u);
  EXPECT_EQ(root->children[0]->kind, TF_RECORD);
  EXPECT_EQ(root->children[0]->count, 0u);
  EXPECT_EQ(root->children[1]->kind, TF_ARRAY);
  EXPECT_EQ(root->children[1]->count, 0u);
  EXPECT_STREQ(root->children[2]->name, "");

  Loaded empty = loadBytes(form(""));
  ASSERT_TRUE(empty.doc);
  EXPECT_EQ(TF_Root(empty.doc.get())->count, 0u);
}

TEST(TfBinaryReader, StringsEndAtTheirNulAndLeaveLaterWordsUnaligned) {
  // Strings of 10 and 5 bytes put everything after them off a 4-byte boundary.
  Loaded loaded = loadBytes(form(nval("s", TF_STR, str("abcde") + "junk") + nval("t", TF_STR, "abcd" + str("")) +
                                 nval("f", TF_FP, floats({1.5f, -2.0f})) + nval("u", 9, words({7, 8}) + "xy")));
  ASSERT_TRUE(loaded.doc) << loaded.messages;
  const TF_Node* root = TF_Root(loaded.doc.get());
  const TF_Node* s = TF_Find(root, "s");
  EXPECT_STREQ(TF_Str(s, nullptr), "abcde");
  EXPECT_EQ(s->count, 5u);
  const TF_Node* f = TF_Find(root, "f");
  EXPECT_NE(reinterpret_cast<uintptr_t>(f->data) % 4, 0u);
  EXPECT_EQ(f->count, 2u);
  EXPECT_EQ(TF_FloatAt(f->data, 1), -2.0f);
  // A type outside the table is kept as read, its data as whole words.
  const TF_Node* u = TF_Find(root, "u");
  EXPECT_EQ(u->type, 9u);
  EXPECT_EQ(u->count, 2u);
  EXPECT_EQ(TF_Word(u->data, 1), 8u);
}

TEST(TfBinaryReader, IntegersAreBigEndian) {
  Loaded loaded = loadBytes(form(nval("i", TF_I4, words({0xFFFFFFFE, 0x01020304}))));
  ASSERT_TRUE(loaded.doc);
  const TF_Node* i = TF_Find(TF_Root(loaded.doc.get()), "i");
  EXPECT_EQ(TF_IntAt(i->data, 0), -2);
  EXPECT_EQ(TF_Word(i->data, 1), 0x01020304u);
}

struct BinaryCase {
  const char* what;
  std::string bytes;
  const char* messages;
};

TEST(TfBinaryReader, MalformedChunksGetTheirMessages) {
  const std::string value = nval("v", TF_I4, words({1}));
  std::string tooLong = chunk("NVAL", nameField("v") + words({TF_I4, 1}));
  tooLong[7] += 4;  // announces 4 more payload bytes than there are
  std::string longAval = aval(words({1}));
  longAval[7] += 4;
  const BinaryCase cases[] = {
      {"unknown ID", form(chunk("XXXX", "")), "unknown chunk ID 0x58585858\n"},
      {"small ID", form(words({1, 0})), "unknown chunk ID 0x       1\n"},
      {"AVAL outside an array", form(aval(words({1}))), "unknown chunk ID 0x4156414c\n"},
      {"other chunk in an array", form(narr("a", TF_I4, value)), "expected AVAL chunk, found 0x4e56414c\n"},
      {"AVAL past its array", form(node("n", narr("a", TF_I4, longAval) + words({0}))),
       "exceed array size at level 1\n"},
      {"value past the FORM", form(tooLong), "exceed chunk size at level 0\n"},
      {"value past its record", form(node("n", tooLong) + value), "exceed chunk size at level 1\n"},
      {"record name past its payload", form(chunk("NODE", "abcd")), "exceed chunk size at level 1\n"},
      {"value without its type", form(chunk("NVAL", nameField("v"))), "exceed chunk size at level 0\n"},
      {"header without a size", form("NVAL"), "exceed chunk size at level 0\n"},
      {"string without NUL", form(nval("s", TF_STR, "abc")), "STR data of 's' has no terminating NUL\n"},
      {"DAT missing floats", form(nval("c", TF_FP_C, words({1, 3}) + floats({1, 2}))),
       "FP_C data of 'c' ends inside a DAT block (floats missing)\n"},
      {"RUN cut short", form(nval("c", TF_FP_C, words({0, 3}))), "FP_C data of 'c' ends inside a RUN block\n"},
      {"unknown marker", form(nval("c", TF_FP_C, words({2, 1, 0}))),
       "FP_C data of 'c' has a block that is neither RUN nor DAT\n"},
      {"zero samples", form(narr("c", TF_FP_C, aval(words({0, 0, 0})))), "FP_C data of 'c' holds no samples\n"},
      {"no channel words", form(nval("c", TF_FP_C, "")), "FP_C data of 'c' holds no samples\n"},
  };
  for (const BinaryCase& c : cases) {
    Loaded loaded = loadBytes(c.bytes);
    EXPECT_FALSE(loaded.doc) << c.what;
    EXPECT_EQ(loaded.messages, c.messages) << c.what;
  }
}

TEST(TfBinaryReader, NestingStopsAtTwentyLevels) {
  std::string deepest = nval("v", TF_I4, words({1}));
  for (int i = 0; i < 19; ++i) deepest = node("r", deepest);
  Loaded ok = loadBytes(form(deepest));
  ASSERT_TRUE(ok.doc) << ok.messages;
  Loaded deep = loadBytes(form(node("r", deepest)));
  EXPECT_FALSE(deep.doc);
  EXPECT_EQ(deep.messages, "records nest deeper than 20 levels\n");
}

TEST(TfDetection, TheFirstTwelveBytesDecide) {
  std::string binary = form(nval("v", TF_I4, words({1})));
  std::string oneByteOff = binary;
  oneByteOff[7] += 1;
  std::string notTskf = binary;
  notTskf.replace(8, 4, "TSKG");
  const BinaryCase cases[] = {
      {"too short", "a I4 1", "Error, file size < 12 bytes\nError, Not a TF file\n"},
      {"size one off", oneByteOff, "Error, TF binary FORM size mismatch file size\nError, Not a TF file\n"},
      {"FORM of another type", notTskf, "Error, file is not TF format\nError, Not a TF file\n"},
      {"NUL in the header", std::string("abc I4 1\0 2\n", 12), "Error, file is not TF format\nError, Not a TF file\n"},
      {"control byte", "abc I4 1\x08 2\n", "Error, file is not TF format\nError, Not a TF file\n"},
      // All printable: read as text, where "FORMabcdTSKG" is a lone token.
      {"printable FORM", "FORMabcdTSKG\n", "Line does not have enough token\nline 1: Invalid line\n"},
  };
  for (const BinaryCase& c : cases) {
    Loaded loaded = loadBytes(c.bytes);
    EXPECT_FALSE(loaded.doc) << c.what;
    EXPECT_EQ(loaded.messages, c.messages) << c.what;
  }
  Loaded tab = loadBytes("a\tI4\t1\t2 3\t4\n");
  ASSERT_TRUE(tab.doc) << tab.messages;
  EXPECT_EQ(TF_Find(TF_Root(tab.doc.get()), "a")->count, 4u);
  Loaded nothing = loadBytes("");
  EXPECT_FALSE(nothing.doc);
  EXPECT_EQ(nothing.messages, "");
}

TEST(TfLoad, ReadsThroughTheFileLayerAndStaysQuietForMissingOrEmptyFiles) {
  TempFolder folder;
  std::string binary = folder.write("scene.tscn", exampleSceneBinary());
  std::string empty = folder.write("empty.tscn", "");
  CapturedStdout out;
  TfDocPtr doc(TF_Load(binary.c_str()));
  ASSERT_TRUE(doc);
  EXPECT_EQ(doc->encoding, 0);
  EXPECT_EQ(TF_Load((folder.path() + "/missing.tscn").c_str()), nullptr);
  EXPECT_EQ(TF_Load(empty.c_str()), nullptr);
  EXPECT_EQ(out.take(), "");
}

TEST(TfLoad, LargeFilesReadInBlocksGiveTheSameTreeAsBytesInMemory) {
  // Names, strings and data long enough to straddle the blocks a file is read in.
  std::string longName(3000, 'n'), longString(300 * 1024, 's');
  std::string manyFloats, channel = words({TF_DAT, 200000});
  for (int i = 0; i < 200000; ++i) {
    manyFloats += be32(floatWord(static_cast<float>(i)));
    channel += be32(floatWord(0.5f * static_cast<float>(i)));
  }
  std::string bytes = form(node(longName, nval("s", TF_STR, str(longString)) + nval("f", TF_FP, manyFloats)) +
                           narr("c", TF_FP_C, aval(channel) + aval(words({TF_RUN, 7, 1}))) +
                           nval("tail", TF_STR, str("odd")) + nval("last", TF_I4, words({5})));
  TempFolder folder;
  std::string path = folder.write("large.tscn", bytes);
  TfDocPtr fromFile(TF_Load(path.c_str()));
  Loaded inMemory = loadBytes(bytes);
  ASSERT_TRUE(fromFile && inMemory.doc) << inMemory.messages;
  std::string difference;
  EXPECT_TRUE(TF_SameTree(TF_Root(fromFile.get()), TF_Root(inMemory.doc.get()), &difference)) << difference;
  const TF_Node* c = TF_Find(TF_Root(fromFile.get()), "c");
  ASSERT_EQ(c->count, 2u);
  EXPECT_EQ(c->elems[0].count, 200000u);
  EXPECT_EQ(TF_FloatAt(c->elems[0].data, 2 + 199999), 0.5f * 199999);
  EXPECT_EQ(TF_Int(TF_Find(TF_Root(fromFile.get()), "last"), 0), 5);
}

}  // namespace
}  // namespace tk

#include "tf/tf_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/tf/tf_test_bytes.h"
#include "tf/tf_compare.h"
#include "tf/tf_fpc.h"

namespace tk {
namespace {

using namespace test;

std::string binaryOf(const TF_Doc* doc) {
  std::string out, error;
  EXPECT_TRUE(TF_WriteBinary(TF_Root(doc), &out, &error)) << error;
  return out;
}

std::string textOf(const TF_Doc* doc) {
  std::string out, error;
  EXPECT_TRUE(TF_WriteText(TF_Root(doc), &out, &error)) << error;
  return out;
}

TEST(TfWriter, BinaryFollowsTheChunkTablesByteForByte) {
  Loaded text = loadBytes(exampleSceneText());
  ASSERT_TRUE(text.doc);
  EXPECT_EQ(binaryOf(text.doc.get()), exampleSceneBinary());
}

TEST(TfWriter, NameFieldsAndStringsArePaddedAsSpecified) {
  struct Case {
    const char* name;
    size_t field;
  } cases[] = {{"", 4}, {"a", 4}, {"abc", 4}, {"abcd", 8}, {"abcdefg", 8}, {"abcdefgh", 12}};
  for (const Case& c : cases) {
    Loaded loaded = loadBytes(form(nval(c.name, TF_I4, words({1}))));
    ASSERT_TRUE(loaded.doc) << loaded.messages;
    EXPECT_EQ(binaryOf(loaded.doc.get()).size(), 12 + 8 + c.field + 4 + 4) << c.name;
  }
  // A string is its bytes and one NUL, whatever follows.
  Loaded strings = loadBytes("s STR abcde\nf FP 1.5\n");
  ASSERT_TRUE(strings.doc);
  EXPECT_EQ(binaryOf(strings.doc.get()),
            form(chunk("NVAL", std::string("s\0\0\0", 4) + words({TF_STR}) + std::string("abcde\0", 6)) +
                 nval("f", TF_FP, floats({1.5f}))));
}

TEST(TfWriter, TextReadsLikeTheExample) {
  Loaded binary = loadBytes(exampleSceneBinary());
  ASSERT_TRUE(binary.doc);
  EXPECT_EQ(textOf(binary.doc.get()),
            "// Tesk TF text\n"
            "{ Scene\n"
            "  { SceneInfo\n"
            "    frameStart I4 0\n"
            "    frameEnd I4 250\n"
            "    framesPerSecond FP 25\n"
            "  }\n"
            "  { Objects\n"
            "    { Object\n"
            "      filename STR objects/box.lwo\n"
            "      position FP_C [\n"
            "        RUN 251 0\n"
            "        RUN 248 0 DAT 3 0.25 0.5 1\n"
            "        RUN 251 2\n"
            "      ]\n"
            "    }\n"
            "  }\n"
            "}\n");
}

// Values that only survive the text encoding when quoted or printed with care.
std::string awkwardTree() {
  const char* strings[] = {"", " lead", "trail ", "\"quoted", "[bracket", "#hash", "/slash", "]close",
                           "}", "{", "plain words", "end\"", "\t"};
  std::string values, elements;
  for (const char* s : strings) {
    values += nval("s", TF_STR, str(s));
    elements += aval(str(s));
  }
  const uint32_t bits[] = {0x7FC00000, 0xFFC00000, 0x7F800001, 0xFF812345, 0x80000000, 0x00000001,
                           0x7F7FFFFF, 0x7F800000, 0xFF800000, 0x3DCCCCCD, 0x00800000, 0x4B7FFFFF};
  std::string floatWords, channel;
  for (uint32_t b : bits) {
    floatWords += be32(b);
    channel += words({TF_RUN, 1, b});
  }
  return form(node("strings", values + narr("list", TF_STR, elements)) + nval("f", TF_FP, floatWords) +
              nval("c", TF_FP_C, channel + words({TF_DAT, 0, TF_RUN, 0, 0})) +
              nval("i", TF_I4, words({0x80000000, 0x7FFFFFFF, 0})) + nval("u", TF_U4, words({0xFFFFFFFF})) +
              narr("none", TF_I4, "") + node("empty", ""));
}

TEST(TfWriter, TextReadsBackToTheSameTreeAndBinaryBytes) {
  std::string original = awkwardTree();
  Loaded binary = loadBytes(original);
  ASSERT_TRUE(binary.doc) << binary.messages;
  std::string text = textOf(binary.doc.get());
  Loaded reread = loadBytes(text);
  ASSERT_TRUE(reread.doc) << reread.messages << text;
  std::string difference;
  EXPECT_TRUE(TF_SameTree(TF_Root(binary.doc.get()), TF_Root(reread.doc.get()), &difference)) << difference << text;
  EXPECT_EQ(binaryOf(reread.doc.get()), original);
  EXPECT_EQ(textOf(reread.doc.get()), text);
}

TEST(TfWriter, TextRefusesWhatItsGrammarCannotCarry) {
  struct Case {
    std::string bytes;
    const char* error;
  } cases[] = {
      {form(nval("a b", TF_I4, words({1}))),
       "cannot write 'a b' as text: a name must not be empty or hold blanks or line breaks"},
      {form(node("tab\there", "")), "cannot write 'tab\there' as text: a name must not be empty or hold blanks or line breaks"},
      {form(nval("", TF_I4, words({1}))),
       "cannot write '' as text: a name must not be empty or hold blanks or line breaks"},
      {form(nval("#x", TF_I4, words({1}))), "cannot write '#x' as text: the name would not read back as a name"},
      {form(nval("}", TF_I4, words({1}))), "cannot write '}' as text: the name would not read back as a name"},
      {form(nval("s", TF_STR, str("two\nlines"))), "cannot write 's' as text: a string must not hold line breaks"},
      {form(nval("e", TF_FP, "")), "cannot write 'e' as text: an empty value or element has no text form"},
      {form(narr("e", TF_I4, aval(""))), "cannot write 'e' as text: an empty value or element has no text form"},
      {form(nval("t", 9, words({1}))), "cannot write 't' as text: its type code has no keyword"},
  };
  for (const Case& c : cases) {
    Loaded loaded = loadBytes(c.bytes);
    ASSERT_TRUE(loaded.doc) << loaded.messages;
    std::string text, error;
    EXPECT_FALSE(TF_WriteText(TF_Root(loaded.doc.get()), &text, &error));
    EXPECT_EQ(error, c.error);
    // The binary encoding carries all of them.
    EXPECT_EQ(binaryOf(loaded.doc.get()), c.bytes);
  }
}

TEST(TfWriter, SavingReplacesTheFileOnlyWhenComplete) {
  TempFolder folder;
  Loaded good = loadBytes(exampleSceneText());
  Loaded untextable = loadBytes(form(nval("a b", TF_I4, words({1}))));
  ASSERT_TRUE(good.doc && untextable.doc);
  std::string path = folder.path() + "/out.tscn";
  std::string error;
  ASSERT_TRUE(TF_SaveFile(good.doc.get(), path.c_str(), 0, &error)) << error;
  EXPECT_EQ(std::filesystem::file_size(path), exampleSceneBinary().size());

  EXPECT_FALSE(TF_SaveFile(untextable.doc.get(), path.c_str(), 1, &error));
  EXPECT_EQ(std::filesystem::file_size(path), exampleSceneBinary().size());
  std::string missing = folder.path() + "/no/such/folder/out.tscn";
  EXPECT_FALSE(TF_SaveFile(good.doc.get(), missing.c_str(), 1, &error));
  EXPECT_NE(error.find(missing), std::string::npos) << error;
  size_t entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) entries += entry.exists();
  EXPECT_EQ(entries, 1u);
}

}  // namespace
}  // namespace tk

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/tf/tf_test_bytes.h"
#include "tf/tf_doc.h"

namespace tk {
namespace {

// Short texts get line breaks appended: a file needs 12 bytes to be read at all,
// and a final run of line breaks changes neither the tree nor any line number.
test::Loaded loadText(const std::string& text) {
  return test::loadBytes(text.size() >= 12 ? text : text + std::string(12 - text.size(), '\n'));
}

std::vector<uint32_t> wordsOf(uint32_t words, const void* data) {
  std::vector<uint32_t> out;
  for (uint32_t i = 0; i < words; ++i) out.push_back(TF_Word(data, i));
  return out;
}

const TF_Node* only(const test::Loaded& loaded, const char* name) {
  EXPECT_TRUE(loaded.doc) << loaded.messages;
  return loaded.doc ? TF_Find(TF_Root(loaded.doc.get()), name) : nullptr;
}

TEST(TfTextReader, ReadsTheExampleScene) {
  test::Loaded loaded = loadText(test::exampleSceneText());
  ASSERT_TRUE(loaded.doc) << loaded.messages;
  EXPECT_EQ(loaded.messages, "");
  const TF_Doc* doc = loaded.doc.get();
  EXPECT_EQ(doc->encoding, 1);
  EXPECT_FALSE(doc->buffer);
  const TF_Node* root = TF_Root(doc);
  EXPECT_STREQ(root->name, "root");
  EXPECT_EQ(root->count, 1u);
  EXPECT_EQ(doc->nodeCount, 10u);
  EXPECT_EQ(doc->childRefCount, 9u);
  EXPECT_EQ(doc->elemCount, 3u);

  const TF_Node* info = TF_Find(TF_Find(root, "Scene"), "SceneInfo");
  EXPECT_EQ(TF_Int(TF_Find(info, "frameEnd"), -1), 250);
  EXPECT_EQ(TF_Float(TF_Find(info, "framesPerSecond"), 0), 25.0f);
  EXPECT_EQ(TF_Find(TF_Find(root, "LightInfo"), "ambient"), nullptr);

  const TF_Node* object = TF_Find(TF_Find(TF_Find(root, "Scene"), "Objects"), "Object");
  EXPECT_STREQ(TF_Str(TF_Find(object, "filename"), ""), "objects/box.lwo");
  const TF_Node* position = TF_Find(object, "position");
  ASSERT_NE(position, nullptr);
  EXPECT_EQ(position->kind, TF_ARRAY);
  EXPECT_EQ(position->type, TF_FP_C);
  ASSERT_EQ(position->count, 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(position->elems[i].count, 251u);
  const TF_Elem& y = position->elems[1];
  EXPECT_EQ(wordsOf(y.words, y.data),
            (std::vector<uint32_t>{0, 248, 0, 1, 3, test::floatWord(0.25f), test::floatWord(0.5f),
                                   test::floatWord(1.0f)}));
}

TEST(TfTextReader, NodesArePooledDepthFirstInFileOrder) {
  test::Loaded loaded = loadText("{ a\nx I4 1\n{ b\n}\n}\ny I4 2\n");
  ASSERT_TRUE(loaded.doc);
  const TF_Doc* doc = loaded.doc.get();
  std::vector<std::string> names;
  for (size_t i = 0; i < doc->nodeCount; ++i) names.push_back(doc->nodes[i].name);
  EXPECT_EQ(names, (std::vector<std::string>{"root", "a", "x", "b", "y"}));
  EXPECT_EQ(doc->root, &doc->nodes[0]);
  EXPECT_EQ(doc->root->children[1], &doc->nodes[4]);
}

struct MessageCase {
  const char* text;
  const char* messages;
};

void expectRejected(const std::vector<MessageCase>& cases) {
  for (const MessageCase& c : cases) {
    test::Loaded loaded = loadText(c.text);
    EXPECT_FALSE(loaded.doc) << c.text;
    EXPECT_EQ(loaded.messages, c.messages) << c.text;
  }
}

TEST(TfTextReader, MalformedLinesGetTheirMessages) {
  expectRejected({
      {"{\n", "Line does not have enough token\nline 1: Invalid line\n"},
      {"lonely\n", "Line does not have enough token\nline 1: Invalid line\n"},
      {"a FP\n", "Line value does not have enough token\nline 1: Invalid line\n"},
      {"a FP   \t\n", "Line value does not have enough token\nline 1: Invalid line\n"},
      {"}\n", "line 1: too many }\n"},
      {"{ a\n}\n} extra\n", "line 3: too many }\n"},
      {"a XX 1\n", "line 1: unknown value type XX\n"},
      {"a fp 1\n", "line 1: unknown value type fp\n"},
      {"a fp [\n", "line 1: unknown value type fp\n"},
      // Runs of CR and LF count once; comment and blank-only lines count.
      {"\n\n# c\n   \n\r\n{\n", "Line does not have enough token\nline 4: Invalid line\n"},
      {"# a\r# b\r\r\r}\r", "line 3: too many }\n"},
      {"good I4 1\nstill I4 2\r\n\r\nbad XX 3\n", "line 3: unknown value type XX\n"},
  });
}

TEST(TfTextReader, NulByteBeyondTheHeaderIsRejected) {
  const char text[] = "# 0123456789\nx I4 1\0 2\n";
  test::Loaded loaded = loadText(std::string(text, sizeof text - 1));
  EXPECT_FALSE(loaded.doc);
  EXPECT_EQ(loaded.messages, "line 2: NUL byte in a text file\n");
}

TEST(TfTextReader, BracesAndRecordLines) {
  test::Loaded loaded = loadText("{ Foo extra words\n} closing with words\n{ Bar\n{ Baz\nv I4 1\n");
  ASSERT_TRUE(loaded.doc) << loaded.messages;
  const TF_Node* root = TF_Root(loaded.doc.get());
  ASSERT_EQ(root->count, 2u);
  EXPECT_STREQ(root->children[0]->name, "Foo");
  EXPECT_EQ(root->children[0]->count, 0u);
  // Missing closing braces at the end are fine.
  EXPECT_EQ(TF_Int(TF_Find(TF_Find(TF_Find(root, "Bar"), "Baz"), "v"), 0), 1);
}

TEST(TfTextReader, DuplicateNamesAreKeptAndFindReturnsTheFirst) {
  test::Loaded loaded = loadText("a I4 1\na I4 2\n");
  ASSERT_TRUE(loaded.doc);
  const TF_Node* root = TF_Root(loaded.doc.get());
  EXPECT_EQ(root->count, 2u);
  EXPECT_EQ(TF_Int(TF_Find(root, "a"), 0), 1);
  EXPECT_EQ(TF_Find(root, "A"), nullptr);
  EXPECT_EQ(TF_Find(nullptr, "a"), nullptr);
  EXPECT_EQ(TF_Find(TF_Find(root, "a"), "a"), nullptr);
}

struct StringCase {
  const char* line;
  std::string value;
};

TEST(TfTextReader, StringValueText) {
  const StringCase cases[] = {
      {"s STR \"hello\"   \t", "hello"},
      {"s STR hello  ", "hello  "},
      {"s STR    spaced out  words", "spaced out  words"},
      {"s STR \"no end", "no end"},
      {"s STR \"\"", ""},
      {"s STR \"", ""},
      {"s STR \"a \"quoted\" b\"", "a \"quoted\" b"},
      {"s STR tail\"", "tail\""},
      {"s STR \"  keep inner blanks  \"", "  keep inner blanks  "},
  };
  for (const StringCase& c : cases) {
    test::Loaded loaded = loadText(std::string(c.line) + "\r\n");
    const TF_Node* s = only(loaded, "s");
    ASSERT_NE(s, nullptr) << c.line;
    EXPECT_EQ(std::string(TF_Str(s, "?")), c.value) << c.line;
    EXPECT_EQ(s->count, c.value.size()) << c.line;
  }
}

TEST(TfTextReader, NumberValueText) {
  test::Loaded loaded = loadText(
      "i I4 -5 +7 abc 12x 99999999999 -99999999999\n"
      "u U4 -1 4294967295 4294967296 3.9\n"
      "f FP 1e3 -0 .5 x 2.5e-3 1e50 -1e50 1e-50 +-1\n"
      "three FP 1 2 3\n");
  ASSERT_TRUE(loaded.doc) << loaded.messages;
  const TF_Node* root = TF_Root(loaded.doc.get());
  const TF_Node* i = TF_Find(root, "i");
  EXPECT_EQ(wordsOf(i->words, i->data),
            (std::vector<uint32_t>{uint32_t(-5), 7, 0, 12, 0x7FFFFFFF, 0x80000000}));
  const TF_Node* u = TF_Find(root, "u");
  EXPECT_EQ(wordsOf(u->words, u->data), (std::vector<uint32_t>{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 3}));
  const TF_Node* f = TF_Find(root, "f");
  ASSERT_EQ(f->count, 9u);
  EXPECT_EQ(TF_FloatAt(f->data, 0), 1000.0f);
  EXPECT_TRUE(std::signbit(TF_FloatAt(f->data, 1)));
  EXPECT_EQ(TF_FloatAt(f->data, 2), 0.5f);
  EXPECT_EQ(TF_FloatAt(f->data, 3), 0.0f);
  EXPECT_EQ(TF_FloatAt(f->data, 4), 2.5e-3f);
  EXPECT_EQ(TF_FloatAt(f->data, 5), INFINITY);
  EXPECT_EQ(TF_FloatAt(f->data, 6), -INFINITY);
  EXPECT_EQ(TF_FloatAt(f->data, 7), 0.0f);
  EXPECT_EQ(TF_FloatAt(f->data, 8), 0.0f);
  EXPECT_EQ(TF_Find(root, "three")->count, 3u);
}

TEST(TfTextReader, ChannelValueText) {
  test::Loaded loaded = loadText("c FP_C RUN 10 0.5\nd FP_C DAT 0 RUN 2 1 DAT 2 3 4\n");
  ASSERT_TRUE(loaded.doc) << loaded.messages;
  const TF_Node* c = TF_Find(TF_Root(loaded.doc.get()), "c");
  EXPECT_EQ(c->count, 10u);
  EXPECT_EQ(wordsOf(c->words, c->data), (std::vector<uint32_t>{0, 10, test::floatWord(0.5f)}));
  EXPECT_EQ(TF_Find(TF_Root(loaded.doc.get()), "d")->count, 4u);
}

TEST(TfTextReader, MalformedChannelsAreRejectedAtLoad) {
  expectRejected({
      {"c FP_C DAT 3 1 2\n", "line 1: FP_C DAT block announces 3 floats but holds 2\n"},
      {"c FP_C DAT 2 1 RUN 1 1\n", "line 1: FP_C DAT block announces 2 floats but holds 1\n"},
      {"c FP_C RUN 0 1\n", "line 1: FP_C data holds no samples\n"},
      {"c FP_C DAT 0\n", "line 1: FP_C data holds no samples\n"},
      {"c FP_C RUN 4000000000 1 RUN 4000000000 1\n", "line 1: FP_C data holds more than 4294967295 samples\n"},
      {"c FP_C 1 2\n", "line 1: FP_C block must start with RUN or DAT, found '1'\n"},
      {"c FP_C RUN 2 1 0.5\n", "line 1: FP_C block must start with RUN or DAT, found '0.5'\n"},
      {"c FP_C RUN\n", "line 1: FP_C RUN block has no count\n"},
      {"c FP_C RUN 5\n", "line 1: FP_C RUN block has no float\n"},
      {"\nc FP_C [\nRUN 1 1\n\nDAT\n]\n", "line 4: FP_C DAT block has no count\n"},
      {"c FP_C [\nDAT 1\n]\n", "line 2: FP_C DAT block announces 1 floats but holds 0\n"},
  });
}

TEST(TfTextReader, ArrayLines) {
  test::Loaded loaded = loadText(
      "names STR [ anything after the bracket\n"
      "  first\n"
      "# a comment, not an element\n"
      "/ another\n"
      "}\n"
      "\t\"  padded  \"  \n"
      "] rest ignored\n"
      "empty I4 [\n"
      "]\n"
      "open FP [\n"
      "1 2\n");
  ASSERT_TRUE(loaded.doc) << loaded.messages;
  const TF_Node* root = TF_Root(loaded.doc.get());
  const TF_Node* names = TF_Find(root, "names");
  ASSERT_EQ(names->count, 3u);
  EXPECT_STREQ(static_cast<const char*>(names->elems[0].data), "first");
  EXPECT_STREQ(static_cast<const char*>(names->elems[1].data), "}");
  EXPECT_STREQ(static_cast<const char*>(names->elems[2].data), "  padded  ");
  EXPECT_EQ(TF_Find(root, "empty")->count, 0u);
  const TF_Node* open = TF_Find(root, "open");
  ASSERT_EQ(open->count, 1u);
  EXPECT_EQ(open->elems[0].count, 2u);
}

std::string nested(int levels) {
  std::string text;
  for (int i = 0; i < levels; ++i) text += "{ r" + std::to_string(i) + "\n";
  return text + "deep I4 1\n";
}

TEST(TfTextReader, NestingStopsAtTwentyLevels) {
  test::Loaded ok = loadText(nested(19));
  ASSERT_TRUE(ok.doc) << ok.messages;
  test::Loaded deep = loadText(nested(20));
  EXPECT_FALSE(deep.doc);
  EXPECT_EQ(deep.messages, "line 20: records nest deeper than 20 levels\n");
}

}  // namespace
}  // namespace tk

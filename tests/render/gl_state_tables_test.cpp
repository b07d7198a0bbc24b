// The GL tables of the device-state codes, pinned on rows where the codes'
// order differs from GL's, on rows several codes share and on codes without a
// row.
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "render/video_driver_ext.h"

namespace tk {
namespace {

struct Row {
  int code;
  unsigned gl;
};

struct Table {
  const char* name;
  unsigned (*lookup)(int);
  std::vector<Row> rows;
};

TEST(GlStateTablesTest, CodesToGlValues) {
  const Table tables[] = {
      {"blend factor",
       glBlendFactorOf,
       {{2, GL_DST_COLOR}, {4, GL_SRC_COLOR}, {6, GL_SRC_ALPHA}, {9, GL_ONE_MINUS_DST_ALPHA}, {200, GL_CONSTANT_COLOR},
        {-1, 0}, {199, 0}, {201, 0}}},
      {"blend operation",
       glBlendOperationOf,
       {{2, GL_FUNC_SUBTRACT}, {5, GL_MAX}, {6, GL_MIN}, {7, GL_MAX}, {10, 0}, {-1, 0}}},
      {"comparison",
       glComparisonOf,
       {{1, GL_LEQUAL}, {3, GL_LESS}, {5, GL_GEQUAL}, {6, GL_GREATER}, {9, 0}, {-1, 0}}},
      {"stencil operation",
       glStencilOperationOf,
       {{1, GL_KEEP}, {2, GL_ZERO}, {5, GL_DECR}, {6, GL_INVERT}, {8, GL_DECR_WRAP}, {0, 0}, {-1, 0}}},
  };
  for (const Table& table : tables)
    for (const Row& row : table.rows) EXPECT_EQ(table.lookup(row.code), row.gl) << table.name << " " << row.code;
}

}  // namespace
}  // namespace tk

// tesk-tf: TF files from the command line.
//   tesk-tf text IN OUT     either encoding in, text out
//   tesk-tf binary IN OUT   either encoding in, binary out
//   tesk-tf check IN        reads the file and prints what it holds
// Exit code 0 on success, 1 when a file cannot be read or written, 2 on misuse.

#include <cstdio>
#include <cstring>

#include "tf/tf_convert.h"
#include "tf/tf_load.h"

namespace {

struct Counts {
  unsigned long long records = 0, values = 0, arrays = 0, samples = 0;
};

void countItems(const tk::TF_Node* record, Counts* counts) {
  for (uint32_t i = 0; i < record->count; ++i) {
    const tk::TF_Node* node = record->children[i];
    if (node->kind == tk::TF_RECORD) {
      ++counts->records;
      countItems(node, counts);
    } else if (node->kind == tk::TF_VALUE) {
      ++counts->values;
      if (node->type == tk::TF_FP_C) counts->samples += node->count;
    } else {
      ++counts->arrays;
      if (node->type == tk::TF_FP_C)
        for (uint32_t e = 0; e < node->count; ++e) counts->samples += node->elems[e].count;
    }
  }
}

int check(const char* path) {
  tk::TF_Doc* doc = tk::tkLoadTfReporting(path);
  if (!doc) return 1;
  Counts counts;
  countItems(tk::TF_Root(doc), &counts);
  std::printf("%s: %s encoding\nrecords %llu\nvalues %llu\narrays %llu\nsamples %llu\n", path,
              doc->encoding == 0 ? "binary" : "text", counts.records, counts.values, counts.arrays, counts.samples);
  tk::TF_Free(doc);
  return 0;
}

int usage() {
  std::fprintf(stderr,
               "usage: tesk-tf text IN OUT     (either encoding in, text out)\n"
               "       tesk-tf binary IN OUT   (either encoding in, binary out)\n"
               "       tesk-tf check IN        (prints counts of records, values, arrays and samples)\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "check") == 0) return check(argv[2]);
  if (argc == 4 && std::strcmp(argv[1], "text") == 0) return tk::tkConvertTf(argv[2], argv[3], 1) ? 0 : 1;
  if (argc == 4 && std::strcmp(argv[1], "binary") == 0) return tk::tkConvertTf(argv[2], argv[3], 0) ? 0 : 1;
  return usage();
}

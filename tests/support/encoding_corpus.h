#pragma once
// Pages of Japanese and Western text in every encoding the editor reads, with and
// without a META declaration, for detection and round-trip tests and for comparing
// the detection with other tools (bench/compare_detection.sh).
//
// The bytes are made with the system's iconv, not with the editor's own encoders,
// and the NEC and IBM extension codes of the Shift-JIS pages are written as raw bytes.

#include <string>
#include <vector>

#include "platform/encoding.h"

namespace vesk::corpus {

struct Page {
    std::string name;   // a file name: "prose-sjis-meta.html"
    std::string bytes;  // the file
    std::string utf8;   // what it must read as (UTF-8, the file's own breaks)
    TextEncoding encoding;
    bool bom = false;
    std::string detectName;  // what --detect prints: "Shift-JIS", "UTF-8 BOM", ...
};

std::vector<Page> Pages();

}  // namespace vesk::corpus

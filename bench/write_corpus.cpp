// Writes the encoding test corpus into a folder, one file per page and beside it
// FILE.utf8 with the text it must read as, and a list of "FILE<TAB>ENCODING" lines
// (what each page must be detected as) on standard output.

#include <fstream>
#include <iostream>

#include "support/encoding_corpus.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_corpus FOLDER\n";
        return 2;
    }
    for (const vesk::corpus::Page& page : vesk::corpus::Pages()) {
        const std::string path = std::string(argv[1]) + "/" + page.name;
        std::ofstream file(path, std::ios::binary);
        file.write(page.bytes.data(), static_cast<std::streamsize>(page.bytes.size()));
        std::ofstream text(path + ".utf8", std::ios::binary);
        text.write(page.utf8.data(), static_cast<std::streamsize>(page.utf8.size()));
        if (!file || !text) {
            std::cerr << "cannot write " << path << "\n";
            return 1;
        }
        std::cout << path << '\t' << page.detectName << '\n';
    }
    return 0;
}

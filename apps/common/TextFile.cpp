#include "TextFile.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include <platform/TempFile.h>

bool TextFile::read(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool TextFile::write(const std::string& path, const std::string& text, std::string* error) {
    trommik2::TempFile temp(path);
    std::FILE* file = std::fopen(temp.path().c_str(), "wb");
    if (!file) {
        *error = "cannot write " + path;
        return false;
    }
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    written = std::fclose(file) == 0 && written;
    if (!written) {
        *error = "cannot write " + path;
        return false;
    }
    return temp.commit(error);
}

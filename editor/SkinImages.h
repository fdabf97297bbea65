#pragma once

#include <cstddef>

namespace trommik2 {

// A PNG picture of the skin, embedded into the library when it is built.
struct SkinImage {
    const unsigned char* data = nullptr;
    size_t size = 0;
};

// The picture of a resource number; empty when the skin has none. Any thread.
SkinImage skinImage(int number);

} // namespace trommik2

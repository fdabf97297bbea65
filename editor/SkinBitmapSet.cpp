#include "SkinBitmapSet.h"

#include "resources/SkinCatalogue.h"

namespace trommik2 {

void SkinBitmapSet::loadAll() {
    for (const SkinEntry& entry : kSkinCatalogue)
        if (auto bitmap = SkinBitmap::load(entry.number))
            bitmaps_[entry.number] = bitmap;
}

std::shared_ptr<SkinBitmap> SkinBitmapSet::get(int number) const {
    auto it = bitmaps_.find(number);
    return it == bitmaps_.end() ? nullptr : it->second;
}

} // namespace trommik2

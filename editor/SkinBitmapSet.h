#pragma once

#include <map>
#include <memory>

#include "SkinBitmap.h"

namespace trommik2 {

// The editor's pictures by resource number, loaded when it opens and released
// when it closes (views that still show one keep it). User-interface thread.
class SkinBitmapSet {
  public:
    void loadAll();
    void clear() { bitmaps_.clear(); }
    // nullptr for a number the skin has no picture for.
    std::shared_ptr<SkinBitmap> get(int number) const;

  private:
    std::map<int, std::shared_ptr<SkinBitmap>> bitmaps_;
};

} // namespace trommik2

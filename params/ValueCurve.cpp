#include "ValueCurve.h"

namespace trommik2 {

void ValueCurve::set(float mid) {
    if (mid < 0.00001f)
        mid = 0.00001f;
    if (mid > 0.99999f)
        mid = 0.99999f;
    mid_ = mid;
    inverse_ = 1.0f / mid;
    oneMinusInverse_ = 1.0f - inverse_;
}

} // namespace trommik2

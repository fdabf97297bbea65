#include "DrumMachineModel.h"

namespace trommik2 {

void DrumMachineModel::setStepResolution(int resolution) {
    if (resolution == 8 || resolution == 16 || resolution == 32)
        stepResolution_ = resolution;
}

} // namespace trommik2

#include "sim/SimHost.h"

#include "sim/CSim.h"
#include "sim/SimSettings.h"

void SimHost::propertiesPreLoad(SimSettings& settings) {
    settings.propertiesPreLoad();
}

void SimHost::propertiesPostLoad(SimSettings& settings) {
    settings.propertiesPostLoad();
}

void SimHost::optSightsClick(CSim& sim, int16_t index) {
    sim.sight = index;
}

void SimHost::txtFovValidate(CSim& sim) {
    sim.applyFov();
}

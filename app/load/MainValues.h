// The values the main window keeps beside the Input tab's texts: the load record and the numbers
// and options the table writer, the graph, the side calculators and the simulator read.
#pragma once

#include "load/CInput.h"
#include "services/CDrag.h"
#include "services/CMetro.h"

struct MainValues {
    CInput in1;         // the load on screen
    float scopeMag = 0; // field 16
    float pressure = 0; // field 18, inHg
    float humidity = 0; // field 19, percent
    float speed = 0;    // field 20, target speed mph
    // Window copies of the options dialog's choices (set from the pending choices at each refresh).
    bool isMoa = false;
    bool isComma = false;
    bool isCosineDrop = false;
    bool is3D = false;
    // Point-blank values.
    float killZone = 10;
    float groupSize = 0;
    bool isPointBlank = false;
    CMetro metro;
    CDrag drag;
};

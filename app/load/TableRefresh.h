// The refresh steps the window's Table and Graph tabs and the command line share: copy the
// fields into the load, take the pending options, prime the table writer, and the BC caption.
#pragma once

#include "load/CTextOutput.h"
#include "load/LoadModel.h"

#include <QString>

namespace TableRefresh {

// Copies every field into model.values.in1, applies the pending options and primes `txt` with
// them. Returns the uphill/downhill angle in degrees (0 when its field is not a number).
float prepareRefresh(LoadModel& model, CTextOutput& txt);

// prepareRefresh, then the whole table text for the load on screen (empty when it could not be
// computed; the reason has been reported).
QString tableText(LoadModel& model, CTextOutput& txt);

// "BC" or, when the coefficient last handed to the solver differs from the BC field (the
// atmosphere correction), "BC (0.573)" with that coefficient.
QString bcCaption(const LoadModel& model);

} // namespace TableRefresh

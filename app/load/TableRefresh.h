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

// The uphill/downhill angle of the load on screen, degrees (0 when its field is not a number).
float angleOf(const LoadModel& model);

// Why no trajectory can be computed from the load on screen (the field at fault and its
// message), or an empty text when it can.
QString loadProblem(const LoadModel& model);

// prepareRefresh, then the whole table text for the load on screen. A load no trajectory can be
// computed from gives its problem (loadProblem) as the text; a failure of the computation itself
// gives an empty text, its reason reported.
QString tableText(LoadModel& model, CTextOutput& txt);

// "BC" or, when the coefficient last handed to the solver differs from the BC field (the
// atmosphere correction), "BC (0.573)" with that coefficient.
QString bcCaption(const LoadModel& model);

} // namespace TableRefresh

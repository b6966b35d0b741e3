#pragma once
// The single-population model file (".sp"): the multi-population file with
// its own header, "Voran/Pelivo: single population (1.0) map=" and the
// map-features name (the byte 0xFF when there is none), this program's input
// check, and no dispersal or correlation matrices computed from the distance
// functions, which are read and written back as they are. A file whose
// first line is not this program's is refused with "Not an input file" and
// leaves the model in hand, its results included, as it was. Result codes
// and messages: multi/model_file.h.

#include "multi/model_file.h"

#include <string>

namespace single {

const multi::TModelFileFormat& SinglePopulationFile();

int LoadModelFile(multi::TMultiModel& model, const std::string& fileName);
int SaveModelFile(const multi::TMultiModel& model, const std::string& fileName);

}  // namespace single

#pragma once
// The chart-settings side file of a model (extension "SCL"): INI text with a
// "Header" section and one section per result kind, numbered from 0.
//
// Entries are matched by key name, not by section number, so a file written
// by another program of the suite fills only the kinds both programs know.
// Numbers are written in the shortest form that reads back to the same
// value, always with "."; the reader also takes the display forms older
// files hold (for example "2.50" or "1.5E+0006", or "," as decimal point).

#include "chart/scale_info.h"

#include <string>
#include <vector>

// Loads a side file into rows (resized to the table when shorter). The file
// is found by its exact name first, then ignoring case. Returns false when
// no file could be read; a file without a usable header changes nothing.
bool ReadScaleFile(const std::string& fileName, TKindTable table, std::vector<TScaleInfo>& rows);

// Writes every kind of the table (rows missing from the vector take the
// built-in defaults). The old file is replaced safely: on failure it stays
// as it was and false is returned.
bool WriteScaleFile(const std::string& fileName, TKindTable table,
                    const std::vector<TScaleInfo>& rows);

// The same on the running program's table, DefaultScaleInfo.
bool ReadScaleFile(const std::string& fileName);
bool WriteScaleFile(const std::string& fileName);

// The number format of side files, and its reader.
std::string FormatScaleNumber(double value);
bool ParseScaleNumber(const std::string& text, double& value);

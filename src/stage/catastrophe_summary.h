#pragma once
// A plain account, per population, of what each of the model's two
// catastrophes would do to it: where it applies, how likely it is, what it
// affects and the concrete effect (survivors per stage, the stage matrix
// after the catastrophe with its growth rate, or the change of the carrying
// capacity).

#include "stage/model_store.h"

#include <string>
#include <vector>

// The check that turns the model's texts into numbers before an account is
// given; the program passes ValidateInput.
using TInputCheck = void (*)(TCoravel&);

// Appends the accounts of both catastrophes for every population. With
// commaSeparated a line holding a comma is written as one quoted field.
void CatastropheSummary(std::vector<std::string>& lines, TCoravel& model, TInputCheck check,
                        bool commaSeparated = false);

// One catastrophe's account (catastrophe 1 or 2) for one population. The
// input check runs first (the current population is kept); a model that
// fails it gives the error "Information not available (error in input
// data)" and no lines.
void DescribeCatastrophe(std::vector<std::string>& lines, TCoravel& model, int population, int catastrophe,
                         TInputCheck check, bool commaSeparated = false);

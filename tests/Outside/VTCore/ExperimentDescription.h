#pragma once
// A full text dump of an experiment taken through the model's getters only, so
// two experiments can be compared field by field independently of the file format.

#include <VTCore/VTExperiment.h>

#include <string>

namespace TestModel {
std::string Describe(const Vantrel::VTExperiment& experiment);
// Makes an experiment in which every element type and every stored field has a
// value other than its default.
void FillEveryField(Vantrel::VTExperiment& experiment);
}  // namespace TestModel

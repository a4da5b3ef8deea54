#pragma once
// Shared by the rule model tests: a named element appended to an experiment.

#include <VTCore/VTExperiment.h>

#include <gtest/gtest.h>

namespace RuleTests {

template <class T>
T* Add(Vantrel::VTExperiment& x, const wxString& name)
{
    auto* el = new T(&x);
    el->SetName(name);
    EXPECT_TRUE(x.GetElementsOfType(el->GetElementType()).AddElement(el, -1));
    return el;
}

}  // namespace RuleTests

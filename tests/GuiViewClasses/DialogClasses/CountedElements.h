#pragma once
// Element classes that count their live instances, so that a test sees every
// working copy an editor made and whether it was released.

#include <VTCore/VTBlock.h>
#include <VTCore/VTParticipantGroup.h>

template <class Base>
class Counted : public Base
{
public:
    explicit Counted(Vantrel::VTExperiment* experiment) : Base(experiment) { ++s_Live; }
    Counted(const Counted& source, Vantrel::VTExperiment* experiment) : Base(source, experiment) { ++s_Live; }
    ~Counted() override { --s_Live; }
    static int Live() { return s_Live; }

private:
    static inline int s_Live = 0;
};

using CountedGroup = Counted<Vantrel::VTParticipantGroup>;
using CountedBlock = Counted<Vantrel::VTBlock>;

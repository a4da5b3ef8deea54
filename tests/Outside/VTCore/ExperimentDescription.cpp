#include "ExperimentDescription.h"

#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/VTElements.h>

#include <sstream>

using namespace Vantrel;

namespace TestModel {

namespace {

std::string S(const wxString& s) { return std::string(s.utf8_str()); }

void Links(std::ostringstream& o, const char* name, const VTLinkT& links)
{
    o << " " << name << "(" << links.CollectionIsEnforcingUniquenessOfElements() << "," << links.GetLinkedType()
      << ")[";
    for (const auto& e : links.Entries()) o << e.elementID << ":" << e.extraData << " ";
    o << "]";
}

}  // namespace

std::string Describe(const VTExperiment& experiment)
{
    std::ostringstream o;
    const VTErrorCodes& codes = experiment.GetErrorCodes();
    for (int i = 0; i < 4; ++i)
        o << "code" << i << "=" << S(codes.GetCodeAsString(VTErrorCodes::VTCorrectness(i))) << "\n";
    o << "cloud=" << experiment.GetCloudSettings()->m_CloudEnabled << "," << experiment.GetCloudSettings()->m_GroupRule
      << "\n";
    o << "background=" << S(experiment.GetBackgroundColour().GetAsString(wxC2S_HTML_SYNTAX)) << "\n";
    const VTSaveDataOptions& save = experiment.GetSaveDataOptions();
    o << "saveOptions=";
    for (int i = 0; i < VTSaveDataOptions::kCount; ++i) o << save.GetSaveOption(i);
    o << " mode=" << save.m_FolderMode << " folder=" << S(save.m_Folder.GetFullPath())
      << " sub=" << S(save.m_SubFolderName.GetFullPath()) << "\n";
    const VTSensorPatch& patch = *experiment.GetSensorPatch();
    o << "patch=" << patch.GetSensorPatchSize() << "," << patch.GetSensorPatchPosX() << ","
      << patch.GetSensorPatchPosY() << "," << S(patch.GetSensorPatchColour().GetAsString(wxC2S_HTML_SYNTAX)) << ","
      << patch.GetSensorPatchDisable() << "\n";
    o << "inputs=";
    for (int id : experiment.GetInputPlugInIDsInUse()) o << id << " ";
    wxString reason;
    const bool locked = experiment.IsLocked(reason);
    const auto& parameters = *experiment.GetParameters();
    for (unsigned i = 0; i < parameters.ItemCount(); ++i) {
        const OrderFormForParameterCreation p = parameters.ItemDataAtIndex(i);
        o << "\nparameter '" << S(p.name) << "' " << p.type << " '" << S(p.text) << "' " << p.initialValue << " "
          << p.sizeLimit << " " << p.saveToDataFile << " '" << S(p.description) << "' " << p.hasMin << p.hasMax << " "
          << p.min << " " << p.max;
    }
    o << "\nlocked=" << locked << " " << (locked ? S(reason) : "") << "\n";

    for (VTElementType type = 0; type < ElementType::Count; ++type) {
        VTElementsList& list = experiment.GetReadOnlyElementsOfType(type);
        for (std::size_t i = 0; i < list.Size(); ++i) {
            Minimal_VTElement* el = list[i];
            o << "type " << type << " #" << i << " id " << el->GetID() << " '" << S(el->GetName()) << "' notes '"
              << S(el->GetNotes()) << "'";
            if (auto* e = dynamic_cast<VTElement*>(el)) o << " child " << e->GetChildNumForRandomization();
            if (auto* r = dynamic_cast<Interface_UsesRules*>(el)) Links(o, "rules", r->GetUsedRules());
            if (auto* b = dynamic_cast<VTBlock*>(el)) {
                Links(o, "trials", b->GetUsedTrials());
                o << " sel " << b->IsSelected() << " rnd " << b->GetRandomizeTrials() << "/"
                  << b->GetRandomizeTrialsWhen() << " loop " << b->m_LoopMode << "/" << b->m_LoopCount;
            }
            if (auto* t = dynamic_cast<VTTrial*>(el)) {
                Links(o, "events", t->GetUsedEvents());
                Links(o, "tags", t->GetUsedTags());
                o << " start " << t->GetStartPeriod() << " rnd " << t->GetRandomizeEvents() << "/"
                  << t->GetRandomizeEventsWhen() << " reps " << t->GetRepetitions();
            }
            if (auto* ev = dynamic_cast<VTEvent*>(el)) {
                bool a, b, c, d, e, f, g;
                int kind, ms, var;
                ev->GetCopiedInputSettingsForEditor(a, b, c, d, e, f, g, kind, ms, var);
                o << " plugin " << ev->GetPlugInID() << " text '" << S(ev->GetStimulusText()) << "' list "
                  << ev->GetStimListID() << " files[";
                for (const wxString& s : ev->GetStimFiles()) o << S(s) << ";";
                o << "] input " << a << b << c << d << e << f << g << " " << kind << "/" << ms << "/" << var
                  << " placed by " << ev->GetLocationVariableID() << " coloured by " << ev->GetColourVariableID();
                Links(o, "responses", ev->GetUsedResponses());
                Links(o, "tags", ev->GetCodeValues());
                o << " tagset " << ev->GetTagSetIDUsedForCorrectResponses() << " rows[";
                for (const auto& row : ev->GetCorrectResponseRows()) {
                    o << row.poolRowID << "/" << row.kind << ":";
                    for (auto id : row.chosenResponseIDs) o << id << ",";
                    o << " ";
                }
                o << "]";
            }
            if (auto* l = dynamic_cast<VTStimList*>(el)) {
                o << " kind " << l->GetPlugInID() << " desc '" << S(l->GetDescription()) << "' items[";
                for (const auto& item : l->GetItems()) {
                    o << item.id << "'" << S(item.text) << "'(";
                    for (auto id : item.tagIDs) o << id << ",";
                    o << ") ";
                }
                o << "]";
            }
            if (auto* r = dynamic_cast<VTResponse*>(el)) {
                int x, y, w, h;
                r->GetRegion(x, y, w, h);
                o << " plugin " << r->GetPlugInID() << " key " << r->GetKeyCode() << " port " << r->GetPortNumber()
                  << " phase " << r->GetPhase() << " region " << r->GetRegionMode() << ":" << x << "," << y << "," << w
                  << "," << h << " hidden " << r->IsHiddenFromParticipant();
            }
            if (auto* s = dynamic_cast<VTTagSet*>(el)) {
                o << " context " << s->GetContext() << " delete " << s->GetDeleteTagsFlag();
                Links(o, "tags", s->GetCollectionOfUsedTags_deprecated());
            }
            if (auto* tag = dynamic_cast<VTTag*>(el)) o << " parent " << tag->GetParentTagSetID();
            if (auto* g = dynamic_cast<VTParticipantGroup*>(el)) {
                o << " all " << g->m_RunAllBlocks;
                Links(o, "blocks", g->GetBlocksUsedByTheGroup());
            }
            if (auto* v = dynamic_cast<VTTrialVariable*>(el)) {
                const Orbisk::Var::Variable& var = v->GetVariable();
                o << " desc '" << S(v->GetDescription()) << "' vtype " << v->GetVariableType() << " save "
                  << v->GetSaveToDataFlag() << " var '" << S(var.GetName()) << "' " << var.GetMethod() << "/"
                  << var.GetScope() << "/" << var.GetFlag() << " levels[";
                for (const auto* level : var.GetLevels()) o << S(level->GetName()) << "=" << S(level->GetText()) << ";";
                o << "]";
            }
            if (auto* rule = dynamic_cast<VTRule*>(el)) o << " kind " << rule->GetKind();
            o << "\n";
        }
    }
    return o.str();
}

void FillEveryField(VTExperiment& x)
{
    auto add = [&x](Minimal_VTElement* el, const char* name) {
        el->SetName(wxString::FromUTF8(name));
        el->SetNotes(wxString::FromUTF8("notes of ") + wxString::FromUTF8(name) + wxS("\nsecond line"));
        if (auto* e = dynamic_cast<VTElement*>(el)) e->SetChildNumForRandomization(int(el->GetID()) * 3);
        x.GetElementsOfType(el->GetElementType()).AddElement(el, -1);
        return el;
    };
    x.GetErrorCodes().SetCodeWithString(VTErrorCodes::Correct, wxString::FromUTF8("Richtig ✓"));
    x.GetErrorCodes().SetCodeWithString(VTErrorCodes::NoResponse, "");
    x.m_BackgroundColour = wxColour(128, 64, 32);
    for (int i = 0; i < VTSaveDataOptions::kCount; ++i)
        x.GetSaveDataOptions().SetSaveOption(i, !x.GetSaveDataOptions().GetSaveOption(i));
    x.GetSaveDataOptions().m_FolderMode = VTSaveDataOptions::SubFolderOfExperiment;
    x.GetSaveDataOptions().m_Folder = wxFileName(wxString::FromUTF8("$(ExperimentFolder)/Daten ✓"));
    x.GetSaveDataOptions().m_SubFolderName = wxFileName(wxString::FromUTF8("Daten ✓"));
    x.GetSensorPatch()->SetSensorPatchSize(-3);
    x.GetSensorPatch()->SetSensorPatchPosX(2147483647);
    x.GetSensorPatch()->SetSensorPatchPosY(-2147483647 - 1);
    x.GetSensorPatch()->SetSensorPatchColour(wxColour(1, 2, 254));
    x.GetSensorPatch()->SetSensorPatchDisable(false);
    x.GetCloudSettings()->m_CloudEnabled = true;
    x.LoadInputPluginByID(2411);
    x.LoadInputPluginByID(2100);
    x.SetLocked(true, "Downloaded from the cloud");

    auto* responseA = static_cast<VTResponse*>(add(new VTResponse(&x), "Left"));
    responseA->SetKeyCode('F');
    responseA->SetPortNumber(2);
    responseA->SetPhase(2);
    responseA->SetRegionMode(2);
    responseA->SetRegion(-10, 20, 30, 40);
    responseA->SetHiddenFromParticipant(true);
    responseA->SetPlugInID(2250);
    auto* responseB = static_cast<VTResponse*>(add(new VTResponse(&x), "Right"));
    responseB->SetKeyCode('J');

    auto* tagSet = static_cast<VTTagSet*>(add(new VTTagSet(&x), "Colours"));
    tagSet->SetContext(VTTagSet::EventOrListItemContext);
    tagSet->SetDeleteTagsFlag(true);
    VTTag* red = tagSet->AddTag("red");
    VTTag* blue = tagSet->AddTag("blue", 0);
    red->SetNotes("warm");
    blue->SetChildNumForRandomization(-4);

    auto* variable = static_cast<VTTrialVariable*>(add(new VTTrialVariable(&x), "Limit"));
    variable->SetDescription(wxString::FromUTF8("Zeit — limit"));
    variable->SetVariableType(VariableType::Location);
    variable->SetSaveToDataFlag(false);
    variable->SetLevels({"(1, 2)", "(-30, 40)", "nonsense"});
    variable->GetVariable().GetLevels()[1]->SetName("far left");
    variable->GetVariable().SetName("where");
    variable->GetVariable().SetMethod(2);
    variable->GetVariable().SetScope(4);
    variable->GetVariable().SetFlag(true);
    auto* colours = static_cast<VTTrialVariable*>(add(new VTTrialVariable(&x), "Colours"));
    colours->SetVariableType(VariableType::Colour);
    colours->SetLevels({"#FF8000", "#000000"});
    auto* limits = static_cast<VTTrialVariable*>(add(new VTTrialVariable(&x), "Limits"));
    limits->SetLevels({"200", "-5", "2147483647"});
    limits->GetVariable().SetMethod(1);
    limits->GetVariable().SetScope(2);
    // A type of a newer program: its levels come back as they were.
    auto* future = static_cast<VTTrialVariable*>(add(new VTTrialVariable(&x), "Future"));
    future->SetVariableType(2010);
    future->SetLevels({"(3, 4)", wxString::FromUTF8("{\"any\": \"thing ✓\"}"), ""});
    future->GetVariable().GetLevels()[0]->SetName("first");

    OrderFormForParameterCreation counter("Score", ParameterType::Counter);
    counter.initialValue = 5;
    counter.hasMin = true;
    counter.min = -3;
    counter.hasMax = true;
    counter.max = 99;
    counter.saveToDataFile = false;
    counter.description = "points";
    x.GetParameters()->AddNewItem(counter);
    OrderFormForParameterCreation text("Answer", ParameterType::Text);
    text.text = wxString::FromUTF8("noch nichts ✓");
    text.sizeLimit = 20;
    x.GetParameters()->AddNewItem(text);

    auto* list = static_cast<VTStimList*>(add(new VTStimList(&x), "Words"));
    list->SetFilePlugInID(EventPlugIn::Reading);
    list->SetDescription("Some words");
    list->AddTextItem("apple");
    const auto pearID = list->AddTextItem(wxString::FromUTF8("pëar \"quoted\""));
    list->RemoveAndDestroyItemAtPosition(0);
    VTStimListItem tagged;
    tagged.id = 40;
    tagged.text = "tagged";
    tagged.tagIDs = {red->GetID(), blue->GetID()};
    list->AddItemWithID(tagged);
    (void)pearID;

    auto* plain = static_cast<VTEvent*>(add(new VTEvent(&x), "Plain"));
    plain->SetPlugInID(EventPlugIn::Pictures);
    plain->SetStimulusText("unused text");
    plain->AddStimFile("pictures/one.png");
    plain->AddStimFile("/absolute/two.png");
    plain->AcceptEndEventSettings(true, false, true, true);
    plain->AcceptInputSettingsForEditor(false, false, 1, 777, int(variable->GetID()));
    plain->SetWhenToPresentFeedback(true);
    plain->SetLocationVariableID(int(variable->GetID()));
    plain->SetColourVariableID(int(colours->GetID()));
    plain->GetUsedResponses().AddChildElement(responseA, 3);
    plain->GetUsedResponses().AddChildElement(responseB, 4);
    plain->GetNonConstAccessToCodeValues().AddChildElement(red, 0);
    plain->SetResponseType(ElementType::Event, -1, CorrectKind::Chosen);
    plain->LinkCorrectResponse(ElementType::Event, -1, responseB);

    auto* listEvent = static_cast<VTEvent*>(add(new VTEvent(&x), "From list"));
    listEvent->SetStimListID(int(list->GetID()));
    listEvent->SetTagSetID_ForCorrectResponses(int(tagSet->GetID()));
    listEvent->SetResponseType(ElementType::Tag, int(red->GetID()), CorrectKind::None);
    listEvent->LinkCorrectResponse(ElementType::Tag, int(blue->GetID()), responseA);
    listEvent->LinkCorrectResponse(ElementType::Tag, int(blue->GetID()), responseB);

    auto* trialA = static_cast<VTTrial*>(add(new VTTrial(&x), "Trial A"));
    trialA->AddUsedEvent(plain);
    trialA->AddUsedEvent(listEvent);
    trialA->GetUsedTags().AddChildElement(blue, 9);
    trialA->SetStartPeriod(250);
    trialA->SetRandomizeEvents(true);
    trialA->SetRandomizeEventsWhen(63);
    trialA->SetRepetitions(3);
    auto* trialB = static_cast<VTTrial*>(add(new VTTrial(&x), "Trial B"));
    trialB->AddUsedEvent(listEvent);

    auto* block = static_cast<VTBlock*>(add(new VTBlock(&x), "Block"));
    block->GetUsedTrials().AddChildElement(trialB, 5);
    block->AddUsedTrial(trialA);
    block->SetSelected(true);
    block->SetRandomizeTrials(true);
    block->SetRandomizeTrialsWhen(62);
    block->m_LoopMode = 83;
    block->m_LoopCount = 4;
    auto* second = static_cast<VTBlock*>(add(new VTBlock(&x), "Second block"));

    auto* group = static_cast<VTParticipantGroup*>(add(new VTParticipantGroup(&x), "Group"));
    group->m_RunAllBlocks = false;
    group->GetBlocksUsedByTheGroup().SetEnforceUniqueness(false);
    group->AddUsedBlock(second);
    group->AddUsedBlock(block);
    group->AddUsedBlock(second);
    add(new VTParticipantGroup(&x), "Other group");
    x.GetCloudSettings()->m_GroupRule = group->GetID();

    auto* rule = static_cast<VTRule*>(add(new VTRule(&x), "Rule"));
    rule->SetKind(0);
    auto* trialRule = static_cast<VTRule*>(add(new VTRule(&x), "Trial rule"));
    block->AttachRule(rule);
    trialA->AttachRule(trialRule);
    trialA->AttachRule(rule);

    // Stored order differs from creation order.
    x.GetElementsOfType(ElementType::Block).ExchangeElements(0, 1);
    x.GetElementsOfType(ElementType::Response).ExchangeElements(0, 1);
}

}  // namespace TestModel

#pragma once
// The information dialog's fields: the metadata name each is stored under and the
// text control that shows it. Readers stop after kMeta2ControlCount entries or at
// the first entry without a name.

namespace Vantrel {

struct MetaNameAndControl
{
    const char* metaName;
    const char* controlName;
};

constexpr int kMeta2ControlCount = 5;

// "Contrubutors" is spelt as stored documents spell it.
constexpr MetaNameAndControl cst_Meta2ControlID[] = {
    {"Author", "edit_first_author"},       {"P.I.", "edit_pi"},
    {"Contrubutors", "edit_contributors"}, {"Description", "edit_descr"},
    {"Original Paper", "edit_paper"},      {"", ""}};

}  // namespace Vantrel

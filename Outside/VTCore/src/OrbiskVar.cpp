#include <VTCore/OrbiskVar.h>
#include <VTCore/VTTrialVariable.h>
#include <VTCore/WholeNumberText.h>

#include <wx/intl.h>
#include <wx/tokenzr.h>

#include <algorithm>

namespace Orbisk {
namespace Var {

namespace {

bool ReadInt(const wxString& text, int& out)
{
    return Vantrel::ParseWholeInt32(wxString(text).Trim(true).Trim(false), out);
}

wxString DefaultLevelName(int number) { return wxString::Format(_("Level %d"), number); }

}  // namespace

VarValue::~VarValue() = default;

wxString TimeLimitSingleLevel::GetText() const { return wxString::Format(wxS("%d"), int(m_Milliseconds)); }

bool TimeLimitSingleLevel::SetFromText(const wxString& text)
{
    int ms = 0;
    if (!ReadInt(text, ms)) return false;
    m_Milliseconds = ms;
    return true;
}

LocationSingleLevel::LocationSingleLevel(int number) { SetName(DefaultLevelName(number)); }

wxString LocationSingleLevel::GetText() const { return wxString::Format(wxS("(%d, %d)"), int(m_X), int(m_Y)); }

bool LocationSingleLevel::SetFromText(const wxString& text)
{
    wxString inner = wxString(text).Trim(true).Trim(false);
    if (!inner.StartsWith(wxS("(")) || !inner.EndsWith(wxS(")"))) return false;
    inner = inner.Mid(1, inner.length() - 2);
    const int comma = inner.Find(wxS(','));
    int x = 0, y = 0;
    if (comma == wxNOT_FOUND || !ReadInt(inner.Left(std::size_t(comma)), x) ||
        !ReadInt(inner.Mid(std::size_t(comma) + 1), y))
        return false;
    m_X = x;
    m_Y = y;
    return true;
}

ColorSingleLevel::ColorSingleLevel(int number) { SetName(DefaultLevelName(number)); }

wxString ColorSingleLevel::GetText() const
{
    return wxString::Format(wxS("#%02X%02X%02X"), unsigned(m_Colour.Red()), unsigned(m_Colour.Green()),
                            unsigned(m_Colour.Blue()));
}

bool ColorSingleLevel::SetFromText(const wxString& text)
{
    const wxString t = wxString(text).Trim(true).Trim(false);
    unsigned long rgb = 0;
    if (t.length() != 7 || t[0] != '#' || !t.Mid(1).ToULong(&rgb, 16)) return false;
    m_Colour.Set((unsigned char)((rgb >> 16) & 0xFF), (unsigned char)((rgb >> 8) & 0xFF), (unsigned char)(rgb & 0xFF));
    return true;
}

UnknownTypeLevel::UnknownTypeLevel(int number) { SetName(DefaultLevelName(number)); }

bool UnknownTypeLevel::SetFromText(const wxString& text)
{
    m_Text = text;
    return true;
}

Variable::Variable(int type, const wxString& name) : m_Type(type), m_Name(name) {}

Variable::Variable(const Variable& other)
    : m_Type(other.m_Type), m_Name(other.m_Name), m_Method(other.m_Method), m_Scope(other.m_Scope), m_Flag(other.m_Flag)
{
    for (const VarValue* level : other.m_Levels) m_Levels.push_back(level->Clone());
}

Variable& Variable::operator=(const Variable& other)
{
    if (this == &other) return *this;
    Variable copy(other);
    DeleteValueList();
    m_Type = copy.m_Type;
    m_Name = copy.m_Name;
    m_Method = copy.m_Method;
    m_Scope = copy.m_Scope;
    m_Flag = copy.m_Flag;
    m_Levels.swap(copy.m_Levels);
    return *this;
}

Variable::~Variable() { DeleteValueList(); }

void Variable::DeleteValueList()
{
    for (VarValue* level : m_Levels) delete level;
    m_Levels.clear();
}

void Variable::ReplaceLevels(const std::vector<VarValue*>& levels)
{
    std::vector<VarValue*> old;
    old.swap(m_Levels);
    m_Levels = levels;
    for (VarValue* level : old)
        if (std::find(levels.begin(), levels.end(), level) == levels.end()) delete level;
}

void Variable::AppendLevel(VarValue* level)
{
    if (level) m_Levels.push_back(level);
}

VarValue* Variable::MakeLevelForPosition(int number) const
{
    switch (m_Type) {
        case Vantrel::VariableType::Location: return new LocationSingleLevel(number);
        case Vantrel::VariableType::Colour: return new ColorSingleLevel(number);
        case Vantrel::VariableType::TimeLimit: {
            auto* level = new TimeLimitSingleLevel(0);
            level->SetName(DefaultLevelName(number));
            return level;
        }
        default: return new UnknownTypeLevel(number);
    }
}

VarValue* Variable::GetValue(int index) const
{
    return index >= 0 && std::size_t(index) < m_Levels.size() ? m_Levels[std::size_t(index)] : nullptr;
}

Variable* VarType::CreateNewVariable(int type, const wxString& name) { return new Variable(type, name); }

bool VarType::IsKnownType(int type)
{
    return type == Vantrel::VariableType::TimeLimit || type == Vantrel::VariableType::Location ||
           type == Vantrel::VariableType::Colour;
}

}  // namespace Var
}  // namespace Orbisk

#pragma once
// Variables with levels: the values a trial variable steps through. A level is a
// time limit (ms), a screen location or a colour, each with a name.

#include <wx/colour.h>
#include <wx/string.h>
#include <vector>

namespace Orbisk {
namespace Var {

class VarValue
{
public:
    virtual ~VarValue();
    virtual VarValue* Clone() const = 0;
    const wxString& GetName() const { return m_Name; }
    void SetName(const wxString& name) { m_Name = name; }
    // The value as shown to the user: "750", "(10, -20)", "#FF8000".
    virtual wxString GetText() const = 0;
    // Reads a value written by GetText; false and nothing changed when it does not parse.
    virtual bool SetFromText(const wxString& text) = 0;

protected:
    VarValue() = default;
    VarValue(const VarValue&) = default;
    VarValue& operator=(const VarValue&) = default;

private:
    wxString m_Name;
};

// A time limit in milliseconds: any 32-bit integer is kept (a run treats a negative
// limit as none).
class TimeLimitSingleLevel : public VarValue
{
public:
    explicit TimeLimitSingleLevel(int milliseconds = 0) : m_Milliseconds(milliseconds) {}
    VarValue* Clone() const override { return new TimeLimitSingleLevel(*this); }
    wxString GetText() const override;
    bool SetFromText(const wxString& text) override;
    int GetMilliseconds() const { return m_Milliseconds; }
    void SetMilliseconds(int ms) { m_Milliseconds = ms; }

private:
    std::int32_t m_Milliseconds;
};

// A location in pixels, origin at the centre of the screen.
class LocationSingleLevel : public VarValue
{
public:
    // `number` is the level's position counted from 1; it names the level "Level n".
    explicit LocationSingleLevel(int number);
    LocationSingleLevel(const LocationSingleLevel&) = default;
    VarValue* Clone() const override { return new LocationSingleLevel(*this); }
    wxString GetText() const override;
    bool SetFromText(const wxString& text) override;
    int GetX() const { return m_X; }
    int GetY() const { return m_Y; }
    void SetX(int x) { m_X = x; }
    void SetY(int y) { m_Y = y; }

private:
    std::int32_t m_X = 0;
    std::int32_t m_Y = 0;
};

class ColorSingleLevel : public VarValue
{
public:
    explicit ColorSingleLevel(int number);
    ColorSingleLevel(const ColorSingleLevel&) = default;
    VarValue* Clone() const override { return new ColorSingleLevel(*this); }
    wxString GetText() const override;
    bool SetFromText(const wxString& text) override;
    const wxColour& GetColour() const { return m_Colour; }
    void SetColour(const wxColour& colour) { m_Colour = colour; }

private:
    wxColour m_Colour{255, 255, 255};
};

// A typed variable (2001 time limit, 2003 location, 2006 colour) owning its levels.
class Variable
{
public:
    Variable(int type, const wxString& name);
    Variable(const Variable& other);
    Variable& operator=(const Variable& other);
    virtual ~Variable();

    int GetType() const { return m_Type; }
    const wxString& GetName() const { return m_Name; }
    void SetName(const wxString& name) { m_Name = name; }
    // How a run picks the current level (see VTLevelSelector in the runtime):
    // method 0 sequential, 1 random without replacement, 2 random with replacement,
    // 3 manual; scope 0 once per group, 1 each run, 2 each block, 3 each trial, 4 each
    // trial and again on a repeat due to feedback; the flag restarts (method 0),
    // re-randomises (1) or wraps around (3) when all levels have been picked.
    int GetMethod() const { return m_Method; }
    void SetMethod(int method) { m_Method = method; }
    int GetScope() const { return m_Scope; }
    void SetScope(int scope) { m_Scope = scope; }
    bool GetFlag() const { return m_Flag; }
    void SetFlag(bool flag) { m_Flag = flag; }

    const std::vector<VarValue*>& GetLevels() const { return m_Levels; }
    void DeleteValueList();
    // Takes ownership of the given levels, replacing (and deleting) the old ones.
    void ReplaceLevels(const std::vector<VarValue*>& levels);
    // Takes ownership.
    void AppendLevel(VarValue* level);
    // A new level of this variable's type for position `number`, named "Level <number>";
    // the caller owns it.
    VarValue* MakeLevelForPosition(int number) const;
    // The level at `index` (0: the current value), or null.
    VarValue* GetValue(int index = 0) const;

private:
    int m_Type;
    wxString m_Name;
    // A new variable is picked as the editor's "Level Selection" tab shows one:
    // sequentially, a new level each trial, restarting after the last.
    int m_Method = 0;
    std::int32_t m_Scope = 3;
    bool m_Flag = true;
    std::vector<VarValue*> m_Levels;
};

// A level of a variable whose type this program does not know (a newer document):
// its text is kept as it was read, so saving gives it back unchanged.
class UnknownTypeLevel : public VarValue
{
public:
    explicit UnknownTypeLevel(int number);
    UnknownTypeLevel(const UnknownTypeLevel&) = default;
    VarValue* Clone() const override { return new UnknownTypeLevel(*this); }
    wxString GetText() const override { return m_Text; }
    bool SetFromText(const wxString& text) override;

private:
    wxString m_Text;
};

struct VarType
{
    // A new variable without levels; the caller owns it.
    static Variable* CreateNewVariable(int type, const wxString& name);
    // 2001, 2003 and 2006; levels of other types are kept as UnknownTypeLevel.
    static bool IsKnownType(int type);
};

}  // namespace Var
}  // namespace Orbisk

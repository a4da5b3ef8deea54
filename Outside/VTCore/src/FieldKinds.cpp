#include "FieldKinds.h"

namespace Vantrel {

std::string IdListKind::Describe(const std::vector<std::uint32_t>& v) const
{
    std::string s;
    for (std::uint32_t id : v) s += std::to_string(id) + " ";
    return "[" + s + "]";
}

void IdListKind::MakeDifferent(std::vector<std::uint32_t>& v, const ElementIdSource& ids) const
{
    for (unsigned salt = 0; salt < 4; ++salt) {
        const std::uint32_t id = ids(type, salt);
        if (id && std::find(v.begin(), v.end(), id) == v.end()) {
            v.push_back(id);
            return;
        }
    }
    v.clear();
}

bool LinksKind::Equal(const VTUsedElements& a, const VTUsedElements& b) const
{
    if (a.CollectionIsEnforcingUniquenessOfElements() != b.CollectionIsEnforcingUniquenessOfElements() ||
        a.GetLinkedType() != b.GetLinkedType() || a.Size() != b.Size())
        return false;
    for (std::size_t i = 0; i < a.Size(); ++i)
        if (a.Entries()[i].elementID != b.Entries()[i].elementID ||
            a.Entries()[i].extraData != b.Entries()[i].extraData)
            return false;
    return true;
}

void LinksKind::Write(const VTUsedElements& v, QJsonObject& o, const char* key) const
{
    QJsonArray array;
    for (const auto& e : v.Entries()) array.append(QJsonArray{qint64(e.elementID), qint64(e.extraData)});
    o[key] = QJsonObject{{"unique", v.CollectionIsEnforcingUniquenessOfElements()}, {"links", array}};
}

std::string LinksKind::Describe(const VTUsedElements& v) const
{
    std::string s = v.CollectionIsEnforcingUniquenessOfElements() ? "unique[" : "[";
    for (const auto& e : v.Entries()) s += std::to_string(e.elementID) + ":" + std::to_string(e.extraData) + " ";
    return s + "]";
}

void LinksKind::VisitReferences(VTUsedElements& v, const ReferenceVisitor& visit) const
{
    const VTElementType type = v.GetLinkedType();
    v.RemoveLinksIf([&](std::uint32_t id) { return !visit(type, id); });
}

void LinksKind::MakeDifferent(VTUsedElements& v, const ElementIdSource& ids) const
{
    for (unsigned salt = 0; salt < 4; ++salt) {
        const std::uint32_t id = ids(v.GetLinkedType(), salt);
        if (id && v.GetIndexByID(id) < 0) {
            v.AppendLinkForLoading(id, 7 + salt);
            return;
        }
    }
    v.SetEnforceUniqueness(!v.CollectionIsEnforcingUniquenessOfElements());
}

}  // namespace Vantrel

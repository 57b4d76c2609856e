// SPDX-License-Identifier: MIT
// The two known builds of nwmain.exe: their signatures and patch sites.
#include <vector>

#include "patcher/revision_table.h"

namespace orvendel {

namespace {

using F = Field;
constexpr TransferKind kFloat = TransferKind::Float;
constexpr TransferKind kAngle = TransferKind::Angle;

// Revision 0.

constexpr SiteTransfer kRev0Sig1[] = {
    {5, F::CTZoomMin, kFloat},
    {3, F::CTZoomMax, kFloat},
    {13, F::CTAngleMin, kAngle},
};
constexpr SiteTransfer kRev0Sig2[] = {
    {1, F::CTZoomMin, kFloat, 2},
    {6, F::CTZoomMax, kFloat},
    {6, F::CTAngleIns, kAngle},
};
constexpr SiteTransfer kRev0Sig3[] = {
    {15, F::CTHeight, kFloat},
    {47, F::CTClipDist, kFloat},
    {10, F::CTZoomDef, kFloat},
};
constexpr SiteTransfer kRev0Sig4[] = {
    {12, F::CTZoomMin, kFloat, 1}, {3, F::CTZoomMax, kFloat}, {10, F::CTAngleMin, kAngle},
    {6, F::CTZoomMin, kFloat},     {6, F::CTZoomMax, kFloat}, {6, F::CTAngleIns, kAngle},
    {6, F::CTAngleDel, kAngle},
};
constexpr SiteTransfer kRev0Sig5[] = {
    {15, F::CTHeight, kFloat},
    {47, F::CTClipDist, kFloat},
    {7, F::CTZoomDef, kFloat},
    {3, F::CTAngleDef, kAngle},
};
constexpr SiteTransfer kRev0Sig6[] = {
    {5, F::DAngleMin, kAngle},
    {1, F::DZoomDef, kFloat},
    {24, F::DAngleIns, kAngle},
    {6, F::DAngleDel, kAngle},
};
constexpr SiteTransfer kRev0Sig7[] = {
    {15, F::DHeight, kFloat},
    {47, F::DClipDist, kFloat},
    {10, F::DAngleDef, kAngle},
};

constexpr SignatureStep kRev0Signatures[] = {
    {"00 00 C7 47 68 ?? ?? ?? ?? C7 47 6C ?? ?? ?? ?? C7", 1, kRev0Sig1},
    {"00 ?? ?? ?? ?? C7 05", 1, kRev0Sig2},
    {"00 00 00 00", 2, kRev0Sig3},
    {"85 F6 0F 84 E0 00 00 00 55 C7 46 68 ?? ?? ?? ?? C7", 1, kRev0Sig4},
    {"00 00 00 00", 2, kRev0Sig5},
    {"80 3F C7 47 60 00 00 ?? ?? BB ?? ?? ?? ?? 89 5F", 1, kRev0Sig6},
    {"00 00 00 00", 2, kRev0Sig7},
};

// Revision 0 has no sites for the drive camera's zoom limits; they follow its default.
constexpr FieldCopy kRev0Copies[] = {
    {F::DZoomDef, F::DZoomMax},
    {F::DZoomDef, F::DZoomMin},
};

constexpr FieldAssignment kMaximumAngles[] = {
    {F::CTAngleMax, 89.0f},
    {F::DAngleMax, 89.0f},
};

// Revision 1.

constexpr SiteTransfer kRev1Sig1[] = {
    {20, F::CTZoomMax, kFloat},
    {22, F::CTAngleMin, kAngle},
};
constexpr SiteTransfer kRev1Sig2[] = {
    {5, F::CTHeight, kFloat},
    {46, F::CTClipDist, kFloat},
    {7, F::CTZoomDef, kFloat},
    {3, F::CTAngleDef, kAngle},
};
constexpr SiteTransfer kRev1Sig3[] = {
    {24, F::CTZoomMax, kFloat},  {22, F::CTAngleMin, kAngle}, {112, F::CTHeight, kFloat},
    {46, F::CTClipDist, kFloat}, {7, F::CTZoomDef, kFloat},   {3, F::CTAngleDef, kAngle},
};
constexpr SiteTransfer kRev1Sig4[] = {
    {21, F::DZoomMax, kFloat},  {22, F::DAngleMin, kAngle}, {111, F::DHeight, kFloat},
    {46, F::DClipDist, kFloat}, {7, F::DZoomDef, kFloat},   {3, F::DAngleDef, kAngle},
};
constexpr SiteTransfer kRev1Sig5[] = {
    {28, F::DZoomMin, kFloat},
};

constexpr SignatureStep kRev1Signatures[] = {
    {"33 F7 FF 39 58 3C 75 2C D9 05 30 76 82 00 C7 05 A8 EC 87 00", 1, kRev1Sig1},
    {"04 C7 44 24 24 ?? ?? ?? ?? 8B", 1, kRev1Sig2},
    {"E8 4B 30 F7 FF 8B 48 3C 85 C9 75 2C D9 05 30 76 82 00 C7 05 A8 EC 87 00", 1, kRev1Sig3},
    {"AC 2E F7 FF 39 58 3C 75 2C D9 05 FC 86 82 00 C7 05 A8 EC 87 00", 1, kRev1Sig4},
    {"90 47 5B 00 00 48 5B 00 60 79 40 00 C0 AC 40 00 30 83 5B 00 D0 78 5B 00 50 6C 43 00", 1,
     kRev1Sig5},
};

// Revision 1 has no site for the chase camera's minimum zoom.
constexpr FieldAssignment kRev1Before[] = {
    {F::CTZoomMin, kRevision1ChaseZoomMin},
};

// Whether every signature text of a table is well formed; checked when this file is compiled,
// so that parsing them at run time cannot fail.
constexpr bool allSignatureTexts(std::span<const SignatureStep> steps) {
    for (const SignatureStep& step : steps) {
        if (!isSignatureText(step.bytes))
            return false;
    }
    return true;
}
static_assert(allSignatureTexts(kRev0Signatures), "a signature of revision 0 is malformed");
static_assert(allSignatureTexts(kRev1Signatures), "a signature of revision 1 is malformed");

// The parsed signatures; every text is well formed (see the checks above).
std::vector<Signature> parseAll(std::span<const SignatureStep> steps) {
    std::vector<Signature> parsed;
    for (const SignatureStep& step : steps)
        parsed.push_back(Signature::parse(step.bytes).value_or(Signature{}));
    return parsed;
}

}  // namespace

const RevisionTable kRevision0Table{0, {}, kRev0Signatures, kRev0Copies, kMaximumAngles};
const RevisionTable kRevision1Table{1, kRev1Before, kRev1Signatures, {}, kMaximumAngles};

std::span<const Signature> parsedSignatures(const RevisionTable& table) {
    static const std::vector<Signature> revision0 = parseAll(kRev0Signatures);
    static const std::vector<Signature> revision1 = parseAll(kRev1Signatures);
    if (table.signatures.data() == kRevision0Table.signatures.data())
        return revision0;
    if (table.signatures.data() == kRevision1Table.signatures.data())
        return revision1;
    return {};
}

}  // namespace orvendel

// The program's own version texts, from the build instead of a version block in the file.
#include "LinkTestSupport.h"

#include "ui/TrpVersionInfo.h"

#include <QMetaProperty>

#include <gtest/gtest.h>

namespace {

struct Entry {
    TVersionType type;
    const char *property;
    bool suppliedByBuild;
};

const Entry kEntries[] = {
    {vtCompanyName, "CompanyName", true},
    {vtFileDescription, "FileDescription", true},
    {vtFileVersion, "FileVersion", true},
    {vtInternalName, "InternalName", false},
    {vtLegalCopyright, "LegalCopyright", false},
    {vtLegalTradeMark, "LegalTradeMark", false},
    {vtOriginalFileName, "OriginalFileName", false},
    {vtProductName, "ProductName", true},
    {vtProductVersion, "ProductVersion", true},
    {vtComments, "Comments", false},
};

TEST(VersionInfo, FiveEntriesFromTheBuildAndFiveEmpty)
{
    const TrpVersionInfo info;
    const QMetaObject *meta = info.metaObject();
    for (const Entry &e : kEntries) {
        SCOPED_TRACE(e.property);
        const int index = meta->indexOfProperty(e.property);
        ASSERT_GE(index, 0) << "no property of that name";
        const QMetaProperty property = meta->property(index);
        EXPECT_FALSE(property.isWritable());
        const QString viaProperty = property.read(&info).toString();
        EXPECT_EQ(viaProperty, info.GetVersionInfo(e.type));
        EXPECT_EQ(viaProperty.isEmpty(), !e.suppliedByBuild);
    }
}

TEST(VersionInfo, FileVersionIsTheProjectVersionAsFourNumbers)
{
    // The version the project declares (CMakeLists.txt); a new release changes both.
    const TrpVersionInfo info;
    EXPECT_EQ(info.FileVersion(), QStringLiteral("1.0.0.0"));
}

TEST(VersionInfo, OutOfRangeEntryReadsEmpty)
{
    const TrpVersionInfo info;
    EXPECT_TRUE(
        info.GetVersionInfo(static_cast<TVersionType>(TrpVersionInfo::kEntryCount)).isEmpty());
}

// Every property reader goes through GetVersionInfo, so a subclass can supply the texts.
class FixedVersionInfo : public TrpVersionInfo {
public:
    QString GetVersionInfo(TVersionType type) const override
    {
        return type == vtComments ? QStringLiteral("overridden") : QString();
    }
};

TEST(VersionInfo, PropertiesReadThroughTheVirtualLookUp)
{
    const FixedVersionInfo info;
    EXPECT_EQ(info.Comments(), QStringLiteral("overridden"));
    EXPECT_TRUE(info.FileVersion().isEmpty());
}

} // namespace

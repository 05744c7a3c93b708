#include "ui/TrpVersionInfo.h"

#include "BuildVersion.h"

TrpVersionInfo::TrpVersionInfo(QObject *owner) : QObject(owner)
{
    LoadVersionInfo();
}

void TrpVersionInfo::LoadVersionInfo()
{
    FVersionInfo[vtCompanyName] = QString::fromUtf8(buildversion::CompanyName);
    FVersionInfo[vtFileDescription] = QString::fromUtf8(buildversion::FileDescription);
    FVersionInfo[vtFileVersion] = QString::fromUtf8(buildversion::FileVersion);
    FVersionInfo[vtProductName] = QString::fromUtf8(buildversion::ProductName);
    FVersionInfo[vtProductVersion] = QString::fromUtf8(buildversion::ProductVersion);
}

QString TrpVersionInfo::GetVersionInfo(TVersionType type) const
{
    if (type < 0 || type >= kEntryCount)
        return {};
    return FVersionInfo[type];
}

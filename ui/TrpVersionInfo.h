#pragma once

#include <QObject>
#include <QString>

#include <array>

enum TVersionType {
    vtCompanyName,
    vtFileDescription,
    vtFileVersion,
    vtInternalName,
    vtLegalCopyright,
    vtLegalTradeMark,
    vtOriginalFileName,
    vtProductName,
    vtProductVersion,
    vtComments,
};

// The program's own version texts, read once at construction. Linux executables carry no
// version block, so the texts come from constants the build generates (BuildVersion.h); an
// entry the build does not supply reads as empty.
class TrpVersionInfo : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString CompanyName READ CompanyName CONSTANT)
    Q_PROPERTY(QString FileDescription READ FileDescription CONSTANT)
    Q_PROPERTY(QString FileVersion READ FileVersion CONSTANT)
    Q_PROPERTY(QString InternalName READ InternalName CONSTANT)
    Q_PROPERTY(QString LegalCopyright READ LegalCopyright CONSTANT)
    Q_PROPERTY(QString LegalTradeMark READ LegalTradeMark CONSTANT)
    Q_PROPERTY(QString OriginalFileName READ OriginalFileName CONSTANT)
    Q_PROPERTY(QString ProductName READ ProductName CONSTANT)
    Q_PROPERTY(QString ProductVersion READ ProductVersion CONSTANT)
    Q_PROPERTY(QString Comments READ Comments CONSTANT)
public:
    static constexpr int kEntryCount = vtComments + 1;

    explicit TrpVersionInfo(QObject *owner = nullptr);

    virtual QString GetVersionInfo(TVersionType type) const;

    QString CompanyName() const { return GetVersionInfo(vtCompanyName); }
    QString FileDescription() const { return GetVersionInfo(vtFileDescription); }
    QString FileVersion() const { return GetVersionInfo(vtFileVersion); }
    QString InternalName() const { return GetVersionInfo(vtInternalName); }
    QString LegalCopyright() const { return GetVersionInfo(vtLegalCopyright); }
    QString LegalTradeMark() const { return GetVersionInfo(vtLegalTradeMark); }
    QString OriginalFileName() const { return GetVersionInfo(vtOriginalFileName); }
    QString ProductName() const { return GetVersionInfo(vtProductName); }
    QString ProductVersion() const { return GetVersionInfo(vtProductVersion); }
    QString Comments() const { return GetVersionInfo(vtComments); }

protected:
    // Called once by the constructor, where a subclass's override is not yet reachable.
    virtual void LoadVersionInfo();

    std::array<QString, kEntryCount> FVersionInfo;
};

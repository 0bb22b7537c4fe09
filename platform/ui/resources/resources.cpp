// platform/ui/resources/resources.cpp: loading resource scripts from the Qt resource system or from
// files.
#include "platform/ui/resources/resources.h"

#include "platform/ui/detail/rc_parser.h"

#include "platform/base/text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

/// Where the build puts the scripts and images in the Qt resource system.
const char* const kCompiledInFolder = ":/resources";

CResources* g_appResources = nullptr;

const char* TypeName(ResourceType type)
{
    switch (type) {
    case ResourceType::Dialog:
        return "DIALOG";
    case ResourceType::Menu:
        return "MENU";
    case ResourceType::Accelerators:
        return "ACCELERATORS";
    case ResourceType::String:
        return "string";
    case ResourceType::Toolbar:
        return "TOOLBAR";
    case ResourceType::Bitmap:
        return "BITMAP";
    case ResourceType::Icon:
        return "ICON";
    case ResourceType::Cursor:
        return "CURSOR";
    }
    return "resource";
}

std::string ImagePath(const std::string& folder, const std::string& name)
{
    return folder + "/" + name;
}

std::string ReadAll(const QString& path, const std::string& shownName)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CResourceError(shownName, 0, "the file cannot be read");
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

template <class Map>
const typename Map::mapped_type* FindIn(const Map& map, const typename Map::key_type& key)
{
    const auto found = map.find(key);
    return found == map.end() ? nullptr : &found->second;
}

} // namespace

bool CResources::LoadCompiledIn(std::string& error)
{
    const QDir folder(QString::fromLatin1(kCompiledInFolder));
    CResources loaded;
    try {
        for (const QString& name :
             folder.entryList({QStringLiteral("*.rc")}, QDir::Files, QDir::Name)) {
            const std::string shownName = "resources/" + name.toStdString();
            loaded.AddScript(ReadAll(folder.filePath(name), shownName), shownName,
                             kCompiledInFolder);
        }
    } catch (const CResourceError& e) {
        error = e.what();
        return false;
    }
    *this = std::move(loaded);
    return true;
}

void CResources::AddScript(std::string_view source, const std::string& fileName,
                           const std::string& imageFolder)
{
    std::vector<RcEntry> entries = CRcParser(source, fileName).Parse();
    std::map<Key, Origin> added;
    for (const RcEntry& entry : entries) {
        CheckEntry(entry, fileName, imageFolder, added);
        added.emplace(Key{entry.type, entry.id}, Origin{fileName, entry.line});
    }
    for (RcEntry& entry : entries)
        Store(std::move(entry), imageFolder);
    m_origins.merge(added);
}

void CResources::AddScriptFile(const std::string& path)
{
    const QFileInfo info(QString::fromStdString(path));
    AddScript(ReadAll(info.filePath(), path), path, info.absolutePath().toStdString());
}

void CResources::CheckEntry(const RcEntry& entry, const std::string& fileName,
                            const std::string& imageFolder,
                            const std::map<Key, Origin>& added) const
{
    const Key key{entry.type, entry.id};
    const Origin* first = FindIn(m_origins, key);
    if (!first)
        first = FindIn(added, key);
    if (first) {
        throw CResourceError(
            fileName, entry.line,
            text::Format("%s %u is defined twice; it was first defined in %s, line %d",
                         TypeName(entry.type), entry.id, first->file, first->line));
    }
    if (const auto* image = std::get_if<ImageRecord>(&entry.value)) {
        if (!QFile::exists(QString::fromStdString(ImagePath(imageFolder, image->path))))
            throw CResourceError(fileName, entry.line,
                                 "the image file \"" + image->path + "\" does not exist");
    }
}

void CResources::Store(RcEntry&& entry, const std::string& imageFolder)
{
    switch (entry.type) {
    case ResourceType::Dialog:
        m_dialogs.emplace(entry.id, std::get<CDialogTemplate>(std::move(entry.value)));
        break;
    case ResourceType::Menu:
        m_menus.emplace(entry.id, std::get<MenuRecord>(std::move(entry.value)));
        break;
    case ResourceType::Accelerators:
        m_accelerators.emplace(entry.id, std::get<AcceleratorRecord>(std::move(entry.value)));
        break;
    case ResourceType::Toolbar:
        m_toolbars.emplace(entry.id, std::get<ToolbarRecord>(std::move(entry.value)));
        break;
    case ResourceType::String:
        m_strings.emplace(entry.id, std::get<std::string>(std::move(entry.value)));
        break;
    case ResourceType::Bitmap:
    case ResourceType::Icon:
    case ResourceType::Cursor:
        m_images.emplace(
            Key{entry.type, entry.id},
            ImageRecord{ImagePath(imageFolder, std::get<ImageRecord>(entry.value).path)});
        break;
    }
}

const CDialogTemplate* CResources::FindDialog(UINT id) const
{
    return FindIn(m_dialogs, id);
}

const MenuRecord* CResources::FindMenu(UINT id) const
{
    return FindIn(m_menus, id);
}

const AcceleratorRecord* CResources::FindAccelerators(UINT id) const
{
    return FindIn(m_accelerators, id);
}

const ToolbarRecord* CResources::FindToolbar(UINT id) const
{
    return FindIn(m_toolbars, id);
}

const ImageRecord* CResources::FindImage(ResourceType type, UINT id) const
{
    return FindIn(m_images, Key{type, id});
}

bool CResources::LoadString(UINT id, std::string& text) const
{
    const std::string* found = FindIn(m_strings, id);
    if (!found)
        return false;
    text = *found;
    return true;
}

void SetAppResources(CResources* resources)
{
    g_appResources = resources;
}

CResources& AppResources()
{
    if (g_appResources)
        return *g_appResources;
    static CResources empty;
    return empty;
}

std::string ResourceImageBytes(ResourceType type, UINT id)
{
    const ImageRecord* image = AppResources().FindImage(type, id);
    QFile file(image ? QString::fromStdString(image->path) : QString());
    if (!image || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

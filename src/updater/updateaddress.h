#pragma once

class QString;
class QUrl;

namespace korvel {

// The two folders of the update server.
enum class ServerFolder {
    Updates,   // "/updates/": release information, program files
    Download,  // "/download/": setup programs
};

// The address of a file on the update server: the server's root followed by the folder and
// the file name (percent-encoded where the name needs it).
QUrl serverFileUrl(const QUrl &root, ServerFolder folder, const QString &fileName);

// Downloads go over HTTPS, whose certificates Qt verifies; plain HTTP is accepted only for
// loopback addresses (tests and local mirrors).
bool isAcceptableServerUrl(const QUrl &url);

// The update server's root: $KORVEL_UPDATE_URL when set, else the address the program was
// built with.
QUrl updateServerRoot();

} // namespace korvel

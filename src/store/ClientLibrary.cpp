#include "ClientLibrary.h"

#include <QLibrary>

namespace tagwright::store {

namespace {

struct Loaded {
    ClientLibrary functions;
    QString error;  // empty when every function was found
};

Loaded load()
{
    Loaded loaded;
    // The soname of the library the package depends on (Debian's libpq5).
    QLibrary library(QStringLiteral("pq"), 5);
    if (!library.load()) {
        loaded.error = library.errorString();
        return loaded;
    }
    ClientLibrary& f = loaded.functions;
    const auto resolve = [&](auto& function, const char* name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
        if (!function && loaded.error.isEmpty())
            loaded.error = library.errorString();
    };
    resolve(f.conninfoParse, "PQconninfoParse");
    resolve(f.conninfoFree, "PQconninfoFree");
    resolve(f.freemem, "PQfreemem");
    resolve(f.socket, "PQsocket");
    // Once loaded, the library stays for the life of the program, as a linked one would.
    return loaded;
}

}  // namespace

const ClientLibrary* clientLibrary(QString& error)
{
    static const Loaded loaded = load();
    error = loaded.error;
    return loaded.error.isEmpty() ? &loaded.functions : nullptr;
}

}  // namespace tagwright::store

#include "services/CSmallBall.h"
#include "services/ErrorNumbers.h"

#include "services/AppFolders.h"
#include "services/MNumber.h"

#include <QFileInfo>
#include <dlfcn.h>
#include <exception>
#include <map>
#include <memory>
#include <utility>

// One loaded solver library file with its four exports resolved. Instances live for the whole
// process: a library, once loaded, is never unloaded, because its module-level buffers may still
// belong to a binding.
struct SolverLibrary {
    void* handle = nullptr;
    MemAllocFn memAlloc = nullptr;
    CalcPreFn calcPre = nullptr;
    PrintOneLineFn printOneLine = nullptr;
    MemDeAllocFn memDeAlloc = nullptr;
    // The binding whose buffers the library holds. The library keeps one trajectory at a time,
    // and the simulator and the chronograph share a library file: a second binding takes the
    // library over by releasing the first one's buffers rather than abandoning them.
    CSmallBall* holder = nullptr;
};

namespace {

const QString className = QStringLiteral("CSmallBall");

// Error numbers reported when the library cannot be used, in the numbering the rest of the
// program uses for run-time failures.

struct LoadFailure {
    long number = 0;
    QString text;
};

QString lastLoaderError() {
    const char* text = dlerror();
    return text ? QString::fromLocal8Bit(text) : QStringLiteral("unknown loader error");
}

template <typename Fn> bool resolve(void* handle, const char* name, Fn& fn, LoadFailure& failure) {
    dlerror();
    void* symbol = dlsym(handle, name);
    if (!symbol) {
        failure = {ErrorNumbers::EntryPoint, lastLoaderError()};
        return false;
    }
    fn = reinterpret_cast<Fn>(symbol);
    return true;
}

// Loaded libraries keyed by full path: the application folder may change (tests, a different
// installation), and a library found once stays loaded under the path it was found at.
std::map<QString, std::unique_ptr<SolverLibrary>>& loadedLibraries() {
    static std::map<QString, std::unique_ptr<SolverLibrary>> libraries;
    return libraries;
}

SolverLibrary* loadLibrary(const QString& fileName, LoadFailure& failure) {
    const QString path = MSmallBallStruct::appPath(fileName);
    auto& libraries = loadedLibraries();
    if (auto it = libraries.find(path); it != libraries.end()) return it->second.get();

    dlerror();
    // RTLD_LOCAL keeps the two solver files apart although they export the same names.
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const long number =
            QFileInfo::exists(path) ? ErrorNumbers::LoadingLibrary : ErrorNumbers::FileNotFound;
        failure = {number, lastLoaderError()};
        return nullptr;
    }
    auto lib = std::make_unique<SolverLibrary>();
    lib->handle = handle;
    if (!resolve(handle, "memAlloc", lib->memAlloc, failure) ||
        !resolve(handle, "calcPre", lib->calcPre, failure) ||
        !resolve(handle, "printOneLine", lib->printOneLine, failure) ||
        !resolve(handle, "memDeAlloc", lib->memDeAlloc, failure)) {
        dlclose(handle);
        return nullptr;
    }
    SolverLibrary* result = lib.get();
    libraries.emplace(path, std::move(lib));
    return result;
}

} // namespace

void CSmallBall::fail(const char* operation, long number, const QString& text) {
    failures.append(Problem::failure(className, QString::fromLatin1(operation), number, text));
}

QList<Problem> CSmallBall::takeFailures() {
    return std::exchange(failures, {});
}

QString CSmallBall::tableLibraryName() {
    return QStringLiteral("trajcore.so");
}

QString CSmallBall::simLibraryName() {
    return QStringLiteral("quorvelsim.so");
}

bool CSmallBall::stepCount(const SolverRecord& record, int16_t& count) {
    // The product is taken in single precision, as the record's fields are.
    const float steps = static_cast<float>(record.stepRate) * record.flightTime;
    const auto rounded = MNumber::toInt16(steps);
    if (!rounded) return false;
    count = *rounded;
    return true;
}

CSmallBall::~CSmallBall() {
    try {
        deAllocMem();
    } catch (...) {
        // Nothing may escape a destructor; a failure of the release has no one left to tell.
    }
}

bool CSmallBall::allocMem(const SolverRecord& record) {
    try {
        if (allocated) deAllocMem();

        int16_t count = 0;
        if (!stepCount(record, count)) {
            fail("allocMem", ErrorNumbers::Overflow, QStringLiteral("Overflow"));
            return false;
        }
        // The library reads the first two entries of every column; it needs at least one step.
        if (count < 1) {
            fail("allocMem", ErrorNumbers::InvalidCall,
                 QStringLiteral("Invalid procedure call or argument: step count %1").arg(count));
            return false;
        }

        LoadFailure failure;
        SolverLibrary* lib = loadLibrary(isTable ? tableLibraryName() : simLibraryName(), failure);
        if (!lib) {
            fail("allocMem", failure.number, failure.text);
            return false;
        }

        if (lib->holder && lib->holder != this) lib->holder->deAllocMem();
        const int32_t result = lib->memAlloc(count);
        if (result < 0) {
            // Some blocks are missing: leave the binding unallocated so that no integration or
            // lookup ever runs on incomplete buffers.
            failures.append(Problem::message(QString::number(result)));
            return false;
        }
        allocated = true;
        allocatedTable = isTable;
        owner = lib;
        lib->holder = this;
        return true;
    } catch (const std::exception& e) {
        fail("allocMem", ErrorNumbers::Internal, QString::fromLocal8Bit(e.what()));
        return false;
    }
}

void CSmallBall::calcAll(const SolverRecord& record) {
    try {
        if (!allocated || !owner) return;
        owner->calcPre(&record);
    } catch (const std::exception& e) {
        fail("calcAll", ErrorNumbers::Internal, QString::fromLocal8Bit(e.what()));
    }
}

int16_t CSmallBall::getOneResult(SolverRow& row, float range, int16_t startIndex) {
    try {
        if (!allocated || !owner) return -1;
        return owner->printOneLine(&row, range, startIndex);
    } catch (const std::exception& e) {
        fail("getOneResult", ErrorNumbers::Internal, QString::fromLocal8Bit(e.what()));
        return -1;
    }
}

void CSmallBall::deAllocMem() {
    try {
        if (!allocated) return;
        allocated = false;
        SolverLibrary* lib = owner;
        owner = nullptr;
        if (!lib) return;
        if (lib->holder == this) lib->holder = nullptr;
        const int32_t result = lib->memDeAlloc();
        // Blocks the library still holds: told with the calls' other failures.
        if (result != 0)
            failures.append(Problem::message(QString::number(result), QStringLiteral("Memory Leak"),
                                             PromptIcon::Exclamation));
    } catch (const std::exception& e) {
        fail("deAllocMem", ErrorNumbers::Internal, QString::fromLocal8Bit(e.what()));
    }
}

#include "store/save_protocol.h"

namespace vantry {

namespace {

// An indexer or a virus scanner may hold a file for a moment; such a rename is tried again for
// about half a second before it counts as failed.
constexpr int kBusyRetries = 10;
constexpr unsigned kBusyRetryPauseMs = 50;
// Writers wait this long for the save turn: a save holds it for a few milliseconds, a flush to a
// slow stick or share for some more.
constexpr std::uint64_t kTurnWaitMs = 2000;
constexpr unsigned kTurnRetryPauseMs = 10;
// Tried when a token is taken already (by chance, by a writer on another PC).
constexpr int kTemporaryTries = 100;

WriteOutcome Failure(const FileCall& call) {
    return {false, call.reason};
}

}  // namespace

class ProtocolFolder::HeldTurn final : public SaveTurn {
  public:
    HeldTurn(ProtocolFolder& folder, std::unique_ptr<FileTurn> turn)
        : folder_(folder), turn_(std::move(turn)) {
        folder_.held_ = turn_.get();
    }
    ~HeldTurn() override { folder_.held_ = nullptr; }

  private:
    ProtocolFolder& folder_;
    std::unique_ptr<FileTurn> turn_;
};

void SweepAbandoned(FolderFiles& folder, FileTurn& turn) {
    if (!turn.Abandoned()) return;
    for (const std::string& file : folder.NamesStartingWith(kTemporaryStart)) {
        if (IsTemporary(file) && !folder.Delete(file)) turn.LeaveAbandoned();
    }
}

std::optional<std::string> ProtocolFolder::Read(const std::string& name) {
    std::optional<std::string> bytes = ReadBytes(name);
    if (!bytes) return std::nullopt;
    return DecodeFileText(*bytes, ansi_);
}

WriteOutcome ProtocolFolder::WriteTemporary(const std::string& name, const std::string& bytes,
                                            std::string& temporary) {
    std::unique_ptr<NewFile> file;
    FileCall call;
    for (int tries = 0; tries < kTemporaryTries; ++tries) {
        temporary = TemporaryName(name, RandomBits());
        call = CreateNew(temporary, file);
        if (call.status != FileCall::Status::kExists) break;
    }
    if (!call.Ok()) {
        temporary.clear();
        return Failure(call);
    }
    if (!bytes.empty()) call = file->Write(bytes);
    // The data must be on disk before the rename makes it the file's content.
    if (call.Ok()) call = file->FlushAndClose();
    return call.Ok() ? WriteOutcome{} : Failure(call);
}

WriteOutcome ProtocolFolder::Replace(const std::string& name, const std::string& content) {
    // A read-only file is not to be replaced, just as it could not be written in place.
    if (FileCall call = CanReplace(name); !call.Ok()) return Failure(call);

    std::string temporary;
    WriteOutcome written = WriteTemporary(name, EncodeFileText(content, ansi_), temporary);
    if (!written.ok) {
        if (!temporary.empty()) DeleteTemporary(temporary);
        return written;
    }
    for (int attempt = 0;; ++attempt) {
        FileCall call = RenameReplacing(temporary, name);
        if (call.Ok()) return {};
        if (call.status != FileCall::Status::kBusy || attempt >= kBusyRetries) {
            DeleteTemporary(temporary);
            return Failure(call);
        }
        Pause(kBusyRetryPauseMs);
    }
}

std::unique_ptr<SaveTurn> ProtocolFolder::TakeSaveTurn(TurnRefusal& refused) {
    const std::uint64_t deadline = NowMs() + kTurnWaitMs;
    for (;;) {
        std::unique_ptr<FileTurn> turn;
        FileCall call = TryTakeTurn(turn);
        if (call.Ok()) {
            SweepAbandoned(*this, *turn);
            return std::make_unique<HeldTurn>(*this, std::move(turn));
        }
        if (call.status != FileCall::Status::kBusy || NowMs() >= deadline) {
            refused.reason = call.reason;
            refused.readOnly = call.status == FileCall::Status::kReadOnly;
            return nullptr;
        }
        Pause(kTurnRetryPauseMs);
    }
}

void ProtocolFolder::DeleteTemporary(const std::string& temporary) {
    if (!Delete(temporary) && held_) held_->LeaveAbandoned();
}

}  // namespace vantry

#pragma once
// The process's reference for the shell's extensions (SetProcessReference). A command chosen from
// the shell's menu ("Send to > Compressed (zipped) folder", a Paste of a large cut) may carry on
// on a thread of its own after InvokeCommand has returned, holding this reference (through
// SHGetInstanceExplorer) until it is done; the process must not end while one is held.

#include <windows.h>

namespace vantry {

class ProcessReference {
  public:
    // Offered to the extensions from now on.
    ProcessReference();
    // Withdrawn; what an extension still holds stays valid until it lets go.
    ~ProcessReference();
    ProcessReference(const ProcessReference&) = delete;
    ProcessReference& operator=(const ProcessReference&) = delete;

    // Whether an extension holds the reference now.
    bool Held() const;
    // Returns once no extension holds it, handling this thread's messages meanwhile (the command
    // may call back into this thread's apartment).
    void WaitUntilReleased();

  private:
    class Object;
    Object* object_;
};

}  // namespace vantry

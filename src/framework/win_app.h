#pragma once

namespace fw {

// The application object. The backend's entry point creates the platform, then the
// application, and runs InitInstance once; when it returns false the process ends without a
// message loop of its own.
class CWinApp {
  public:
    CWinApp() = default;
    virtual ~CWinApp() = default;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The framework itself needs nothing set up beyond what the backend did before.
    virtual bool InitInstance() { return true; }
};

}  // namespace fw

// The services contract against the fake.

#include "contract/ServicesContract.h"
#include "fake/FakeSystem.h"

namespace tuckaway::contract {
namespace {

class FakeWorld final : public World {
public:
    os::WindowManager& windows() override { return fake; }
    os::HotkeyRegistrar& hotkeys() override { return fake; }
    os::Tray& tray() override { return fake; }
    os::Window MakeWindow(std::string_view title) override { return fake.AddGameWindow(title); }
    os::Window MakeFolderWindow(std::string_view title) override {
        return fake.AddGameWindow(title, "CabinetWClass");
    }
    void MinimizeWindow(os::Window window) override { fake.MinimizeGameWindow(window); }
    os::SettingsStore& settings() override { return fake; }
    std::string application() override { return "Tuckaway v1.10"; }
    void StoreString(std::string_view name, std::string_view text) override {
        fake.games.push_back({std::string(name), std::string(text)});
    }
    void StoreNumber(std::string_view name) override {
        fake.games.push_back({std::string(name), std::nullopt});
    }
    os::Processes& processes() override { return fake; }
    os::AudioSessions& audio() override { return fake; }
    os::Gamma& gamma() override { return fake; }
    os::ProcessPriority& priority() override { return fake; }
    os::Suspension& suspension() override { return fake; }
    os::ProcessId StartProcess() override {
        return fake.processOfWindow.at(fake.AddGameWindow("a process of its own").value);
    }
    int SuspendCountOf(os::ProcessId process) override { return fake.suspendCount[process.id]; }

private:
    fake::FakeSystem fake;
};

INSTANTIATE_TEST_SUITE_P(Fake, ServicesContract,
                         ::testing::Values(WorldFactory([] { return std::make_unique<FakeWorld>(); })));

} // namespace
} // namespace tuckaway::contract

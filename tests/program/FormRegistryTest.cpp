// The program's forms by type: a form no other code knows of is created on
// first use, loaded again after an unload, and destroyed before the devices,
// the last created first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program/ProgramForm.h"
#include "shell/FormsFixture.h"

namespace {

std::vector<std::string> gEvents;

template <int N> class frmProbe : public ProgramForm {
public:
    explicit frmProbe(Program& program) : ProgramForm(program, "frmProbe" + std::to_string(N))
    {
        gEvents.push_back("create " + std::to_string(N));
    }
    ~frmProbe() override { gEvents.push_back("destroy " + std::to_string(N)); }

protected:
    void Form_Load() override { gEvents.push_back("load " + std::to_string(N)); }
};

class FormRegistryTest : public forms_test::FormsTest {
protected:
    FormRegistryTest() { gEvents.clear(); }
};

TEST_F(FormRegistryTest, CreatedOnFirstUseAndLoadedWheneverUnloaded)
{
    EXPECT_FALSE(p().hasForm<frmProbe<1>>());
    auto& first = p().form<frmProbe<1>>();
    EXPECT_TRUE(p().hasForm<frmProbe<1>>());
    EXPECT_FALSE(p().hasForm<frmProbe<2>>());
    EXPECT_EQ(&p().form<frmProbe<1>>(), &first);
    EXPECT_EQ(gEvents, (std::vector<std::string>{"create 1", "load 1"}));

    first.Unload();
    EXPECT_FALSE(first.loaded());
    EXPECT_EQ(&p().form<frmProbe<1>>(), &first);  // the same instance, loaded again
    EXPECT_TRUE(first.loaded());
    EXPECT_EQ(gEvents, (std::vector<std::string>{"create 1", "load 1", "load 1"}));
}

TEST_F(FormRegistryTest, EachProgramHasItsOwnFormsDestroyedLastCreatedFirst)
{
    p().form<frmProbe<2>>();
    p().form<frmProbe<1>>();
    {
        Program other(rt, ProgramOptions{});
        EXPECT_FALSE(other.hasForm<frmProbe<1>>());
        other.form<frmProbe<3>>();
    }
    program.reset();
    EXPECT_EQ(gEvents,
        (std::vector<std::string>{
            "create 2", "load 2", "create 1", "load 1", "create 3", "load 3", "destroy 3", "destroy 1", "destroy 2"}));
}

}  // namespace

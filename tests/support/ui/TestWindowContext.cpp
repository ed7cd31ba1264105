#include "support/ui/TestWindowContext.h"

namespace testsupport {

TestWindowContext::TestWindowContext() {
    engine.InitEngine(0, 30);
}

}  // namespace testsupport

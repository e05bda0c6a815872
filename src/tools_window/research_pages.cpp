#include "tools_window/research_pages.h"

namespace {

ResearchPagesFactory& Factory() {
    static ResearchPagesFactory factory;
    return factory;
}

}  // namespace

void SetResearchPagesFactory(ResearchPagesFactory factory) {
    Factory() = std::move(factory);
}

const ResearchPagesFactory& TheResearchPagesFactory() {
    return Factory();
}

#include "engine/render.h"
#include "race/race_track.h"

namespace {

constexpr std::uint32_t kBakedLighting = kGeometryLightOnce | kGeometryLitFinal;
constexpr unsigned int kBlended = 0x80;
constexpr unsigned int kOpaque = 0xc0;

void setIdentityModel(NymRender* render) {
    FixedMatrix identity;
    MatrixIdentity(identity);
    render->setModelMatrix(identity);
}

bool holdsWaterfall(int section) {
    return section == 6 || section == 7;
}

} // namespace

// Lights every scenery object once with the light where the construction put it (tunnel sections with a
// little glow), then the detailed car body with the light overhead, and freezes those vertex colours.
void RaceTrack::warmUp() {
    NymRender* render = NymRender::instance();
    if (render == nullptr) {
        return;
    }
    render->setCamera(camera);
    render->setLight(ambientLight, 0);
    render->setLight(directionalLight, 1);
    setIdentityModel(render);

    const Fixed tunnelGlow = FixedFromFloat(0.25f);
    for (int s = 0; s < kSectionCount; ++s) {
        const bool tunnel = isTunnelSection(s);
        for (int j = 0; j < sectionObjects[s].count; ++j) {
            const SectionObject& object = sectionObjects[s].objects[j];
            NymMaterial& material = *object.material;
            // The glow is taken off again by restoring the material's own emissive colour, so that a
            // material with one of its own (the trees') keeps it for the objects drawn after.
            const Fixed own[3] = {material.emissive[0], material.emissive[1], material.emissive[2]};
            if (tunnel) {
                material.setEmissive(tunnelGlow, tunnelGlow, tunnelGlow);
            }
            render->setMaterial(&material);
            render->drawGeometry(object.geometry);
            if (tunnel) {
                material.setEmissive(own[0], own[1], own[2]);
            }
        }
    }

    if (directionalLight != nullptr) {
        directionalLight->setPosition(Fixed{0}, FixedFromInt(1), Fixed{0});
    }
    for (int k = 1; k <= 3; ++k) {
        render->setMaterial(&carMaterials[k]);
        render->drawGeometry(carBodyDetailed);
    }

    for (const SectionObjects& section : sectionObjects) {
        for (int j = 0; j < section.count; ++j) {
            if (NymGeometry* geometry = section.objects[j].geometry) {
                geometry->setFlags(geometry->getFlags() | kBakedLighting);
            }
        }
    }
    if (carBodyDetailed != nullptr) {
        carBodyDetailed->setFlags(carBodyDetailed->getFlags() | kBakedLighting);
    }
}

void RaceTrack::drawSkyAndRoad() {
    NymRender* render = NymRender::instance();
    if (render == nullptr) {
        return;
    }
    render->setCamera(camera);
    if (skybox != nullptr) {
        skybox->draw();
    }
    render->setLight(ambientLight, 0);
    render->setLight(directionalLight, 1);
    setIdentityModel(render);

    // Both road pieces share the road material.
    const SectionObjects& current = sectionObjects[currentSection];
    const SectionObjects& neighbour = sectionObjects[neighbourSection];
    if (current.count > 0) {
        render->setMaterial(current.objects[0].material);
        render->drawGeometry(current.objects[0].geometry);
    }
    if (neighbour.count > 0) {
        render->drawGeometry(neighbour.objects[0].geometry);
    }
}

void RaceTrack::drawScenery() {
    NymRender* render = NymRender::instance();
    if (render == nullptr) {
        return;
    }
    setIdentityModel(render);
    for (const int s : {currentSection, neighbourSection}) {
        const SectionObjects& section = sectionObjects[s];
        for (int j = 1; j < section.count; ++j) {
            const SectionObject& object = section.objects[j];
            render->setMaterial(object.material);
            if (object.material == &sceneryMaterials[5]) {
                // Trees are cut-outs, drawn blended.
                render->setRenderState(kBlended);
                render->drawGeometry(object.geometry);
                render->setRenderState(kOpaque);
            } else {
                render->drawGeometry(object.geometry);
            }
        }
    }
}

bool RaceTrack::showsWaterfall() const {
    return holdsWaterfall(currentSection) || holdsWaterfall(neighbourSection);
}

void RaceTrack::drawWaterfall() {
    NymRender* render = NymRender::instance();
    if (render == nullptr) {
        return;
    }
    setIdentityModel(render);
    render->setRenderState(kBlended);
    render->setMaterial(&waterfallMaterials[0]);
    render->drawGeometry(waterfall[0]);
    render->setMaterial(&waterfallMaterials[1]);
    render->drawGeometry(waterfall[1]);
    render->setRenderState(kOpaque);
}

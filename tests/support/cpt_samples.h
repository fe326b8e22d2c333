// The folder of real field CPT deliveries beside the source tree, for the tests that read them:
// $VORNE_CPT_SAMPLES, else shared/cpt-samples next to the checkout or one level up. Empty when
// none holds the samples' README, so that those tests skip on a clone without them.
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

inline QString cptSamplesFolder() {
  const QStringList candidates{qEnvironmentVariable("VORNE_CPT_SAMPLES"),
                               QStringLiteral(VORNE_SOURCE_DIR "/../shared/cpt-samples"),
                               QStringLiteral(VORNE_SOURCE_DIR "/../../shared/cpt-samples")};
  for (const QString& c : candidates) {
    if (!c.isEmpty() && QDir(c).exists(QStringLiteral("README.md"))) return c;
  }
  return {};
}

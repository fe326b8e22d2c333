// The computation passes; see passes.h. The methods are wired in here pass by pass.
#include "driver/passes.h"

#include <charconv>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "driver/load_transfer_stage.h"
#include "io/capacity_table_writer.h"
#include "io/plot_data_writer.h"
#include "methods/capacity_api.h"
#include "methods/capacity_fhwa.h"
#include "methods/capacity_fugro.h"
#include "methods/capacity_icp.h"
#include "methods/capacity_lambda.h"
#include "methods/capacity_ngi.h"
#include "methods/capacity_profile.h"
#include "methods/capacity_usace.h"
#include "methods/capacity_user.h"
#include "methods/capacity_uwa.h"
#include "methods/effective_stress.h"
#include "methods/soil_profile.h"
#include "settlement/axial_stiffness.h"
#include "vorne/ivorne.h"

namespace vorne {

namespace {

// The state of one run's passes: the per-method results and the plot blocks waiting for the
// header, which must count them.
class PassRunner {
 public:
  explicit PassRunner(RunContext& context)
      : m_context(context),
        m_input(context.input),
        m_rows(
            printedGridPoints(penetrationIntervals(context.input), context.input.printIncrement)) {}

  int32_t run() {
    // The load-settlement solution divides by the diameter and the axial stiffness: refuse a pile
    // without them before anything is computed.
    const std::string problem = stiffnessInputProblem(m_input);
    if (!problem.empty()) {
      writeRunError(m_context.report, problem);
      writeRunError(m_context.console, problem);
      return kVorneStatusStopped;
    }
    if (!runPass(1) || !runPass(2)) return kVorneStatusStopped;
    return kVorneStatusFinished;
  }

 private:
  // False when the pass stopped the run (its reason is in the report and on the console).
  bool runPass(int pass) {
    // Profile and stresses are rebuilt for every pass: a method may change a column of the table
    // (the API method replaces coded friction limits) for the methods after it in the same pass.
    IncrementTable table = buildIncrementTable(m_input, m_context.segmentCount);
    StressProfile stress = computeStressProfile(table, m_input);
    // The tip pass for indexes 1 to 3 opens every pass. Its results are overwritten by the
    // methods; what remains are the stresses the USACE end-bearing walk stores for the run, so in
    // pass 1 that walk has run once before the method's own.
    runUsaceTipPrePass(table, stress, m_input, m_usaceStored);
    return pass == 1 ? runFirstPassMethods(table, stress) : runSecondPassMethods(table, stress);
  }

  // User-specified (at most once per run), FHWA, USACE and Revised Lambda. Each method computes
  // its unit friction and end bearing, then runs computeTipCapacity with its CapacityIndex, and
  // its table and plot rows are written when it is selected, in this order:
  //   user-specified: when any soil point has a nonzero user unit skin friction or end bearing;
  //                   under tension its tip pass uses CapacityIndex::UserTension;
  //   FHWA (CapacityIndex 1), USACE (2), Revised Lambda (3, end bearing by apiUnitEndBearing).
  // The tip pass of index 1 that the FHWA sand rule reads its plug state from runs inside
  // computeFhwaCapacity. A method whose results are neither reported nor used for the load
  // transfer does not stop the run.
  bool runFirstPassMethods(IncrementTable& table, StressProfile& stress) {
    if (hasUserLoadTransfers(table)) {
      m_user = computeUserCapacity(table, stress, m_input);
      if (isNeeded(MethodId::UserSpecified) && !accept(MethodId::UserSpecified, m_user)) {
        return false;
      }
      writeMethod(MethodId::UserSpecified, m_user);
    }
    m_fhwa = computeFhwaCapacity(table, stress, m_input);
    m_usace = computeUsaceCapacity(table, stress, m_input, m_usaceStored);
    m_lambda = computeLambdaCapacity(table, stress, m_input);
    const std::pair<MethodId, const CapacityProfile*> kMethods[] = {
        {MethodId::Fhwa, &m_fhwa},
        {MethodId::Usace, &m_usace},
        {MethodId::RevisedLambda, &m_lambda},
    };
    for (const auto& [method, profile] : kMethods) {
      if (isNeeded(method) && !accept(method, *profile)) return false;
    }
    for (const auto& [method, profile] : kMethods) writeMethod(method, *profile);
    return true;
  }

  bool isNeeded(MethodId method) const {
    return m_input.isSelected(method) || m_input.loadTransferMethod == static_cast<int>(method);
  }

  // API RP-2A, then the cone methods NGI (5), ICP/MTD (6), FUGRO (7) and UWA (8) when
  // offshoreParameters is 1, each feeding its annulus cone bearing to the tip pass
  // (TipPassInput::coneAnnulusBearing); then the plot capacities and the load transfer.
  bool runSecondPassMethods(IncrementTable& table, StressProfile& stress) {
    m_api = computeApiCapacity(table, stress, m_input);
    if (!accept(MethodId::Api, m_api)) return false;
    writeMethod(MethodId::Api, m_api);
    if (m_input.offshoreParameters == 1) {
      if (!keepConeMethod(MethodId::Ngi, computeNgiCapacity(table, stress, m_input), m_ngi) ||
          !keepConeMethod(MethodId::IcpMtd, computeIcpCapacity(table, stress, m_input), m_icp) ||
          !keepConeMethod(MethodId::Fugro, computeFugroCapacity(table, stress, m_input), m_fugro) ||
          !keepConeMethod(MethodId::Uwa, computeUwaCapacity(table, stress, m_input), m_uwa)) {
        return false;
      }
    }

    writePlotCapacities(m_context.plot, m_plotBlocks, m_rows.size(), m_input.units,
                        m_input.loadTransferMethod);
    return runLoadTransfer();
  }

  // Stops the run, with the method named, when a result overflowed: only input values far
  // outside any soil or pile get there, and a number that is not finite must not be reported.
  // A selected method's printed rows must also fit their report and plot data columns: a value
  // printed as asterisks would give a plot data file that its reader refuses.
  bool accept(MethodId method, const CapacityProfile& profile) {
    std::string problem;
    if (!profile.isFinite()) {
      problem = "the capacity is not a finite number";
    } else if (m_input.isSelected(method)) {
      problem = unprintableCapacity(plotBlockOf(method, profile, m_rows));
    }
    if (problem.empty()) return true;
    const std::string message = std::string(methodName(method)) + ": " + problem +
                                "; check the soil and pile values for magnitudes far outside "
                                "their usual range";
    writeRunError(m_context.report, message);
    writeRunError(m_context.console, message);
    return false;
  }

  // The first value of the rows that its column cannot print, as a sentence; empty when all fit.
  std::string unprintableCapacity(const PlotCapacityBlock& block) const {
    struct Column {
      const char* name;
      double PlotCapacityRow::*value;
      double limit;  // the largest value of its field: F8.1, F9.1, F9.3
      std::string_view unit;
    };
    const Column kColumns[] = {
        {"the total skin friction", &PlotCapacityRow::skinFriction, 999999.9,
         m_context.labels.force},
        {"the end bearing", &PlotCapacityRow::tipValue, 999999.9, m_context.labels.force},
        {"the ultimate capacity", &PlotCapacityRow::total, 9999999.9, m_context.labels.force},
        {"the unit skin friction", &PlotCapacityRow::unitSkinFriction, 99999.999,
         m_context.labels.stress},
    };
    for (const PlotCapacityRow& row : block.rows) {
      for (const Column& column : kColumns) {
        const double value = row.*column.value;
        // Negative values have one digit less.
        if (value <= column.limit && value >= -column.limit / 10.0) continue;
        return std::string(column.name) + " " + shortNumber(value) + " " +
               std::string(column.unit) + " at a penetration of " + shortNumber(row.penetration) +
               " " + std::string(m_context.labels.length) + " is beyond " +
               shortNumber(column.limit) + ", the most its report and plot data columns can print";
      }
    }
    return {};
  }

  static std::string shortNumber(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    return std::string(buffer, result.ptr);
  }

  static std::string_view methodName(MethodId method) {
    switch (method) {
      case MethodId::Fhwa:
        return "FHWA method";
      case MethodId::Usace:
        return "USACE method";
      case MethodId::RevisedLambda:
        return "Revised Lambda method";
      case MethodId::Api:
        return "API RP 2A method";
      case MethodId::UserSpecified:
        return "user-specified method";
      case MethodId::Ngi:
        return "NGI method";
      case MethodId::IcpMtd:
        return "ICP/MTD method";
      case MethodId::Fugro:
        return "FUGRO method";
      case MethodId::Uwa:
        return "UWA method";
    }
    return "capacity method";
  }

  // Load-distribution and load-settlement computation of the load-transfer method, and the
  // verification t-z curves for extra depths. The asterisk note opens this part of the report.
  bool runLoadTransfer() {
    writeUnpluggedNote(m_context.report);
    return runLoadTransferStage(m_input, loadTransferProfile(), m_context.report, m_context.plot,
                                m_context.console) == kVorneStatusFinished;
  }

  // The results of the load-transfer method, kept from the pass that computed them, exactly as
  // its table printed them. A method that did not run hands over an empty profile (zero curves).
  const CapacityProfile& loadTransferProfile() const {
    switch (static_cast<MethodId>(m_input.loadTransferMethod)) {
      case MethodId::Fhwa:
        return m_fhwa;
      case MethodId::Usace:
        return m_usace;
      case MethodId::RevisedLambda:
        return m_lambda;
      case MethodId::Api:
        return m_api;
      case MethodId::UserSpecified:
        return m_user;
      case MethodId::Ngi:
        return m_ngi;
      case MethodId::IcpMtd:
        return m_icp;
      case MethodId::Fugro:
        return m_fugro;
      case MethodId::Uwa:
        return m_uwa;
      default:
        return m_notRun;
    }
  }

  void writeMethod(MethodId method, const CapacityProfile& profile) {
    if (!m_input.isSelected(method)) return;
    writeCapacityTable(m_context.report, method, profile, m_rows, m_context.labels);
    m_plotBlocks.push_back(plotBlockOf(method, profile, m_rows));
  }

  // A cone method's report lines belong to its computation, which runs whether or not the method
  // is selected; they come before its table. Keeps the profile for the load transfer. False when
  // the result stopped the run.
  bool keepConeMethod(MethodId method, ConeMethodResult result, CapacityProfile& kept) {
    for (const std::string& line : result.messages) m_context.report << line << '\n';
    kept = std::move(result.capacity);
    if (isNeeded(method) && !accept(method, kept)) return false;
    writeMethod(method, kept);
    return true;
  }

  RunContext& m_context;
  const AnalysisInput& m_input;
  std::vector<std::size_t> m_rows;  // printed grid points, the tip included
  std::vector<PlotCapacityBlock> m_plotBlocks;
  CapacityProfile m_user;  // computed only when some user value is nonzero
  CapacityProfile m_fhwa;
  CapacityProfile m_usace;
  CapacityProfile m_lambda;
  CapacityProfile m_api;
  CapacityProfile m_ngi;  // the cone methods run only when offshoreParameters is 1
  CapacityProfile m_icp;
  CapacityProfile m_fugro;
  CapacityProfile m_uwa;
  CapacityProfile m_notRun;
  UsaceStoredStresses m_usaceStored;  // S15 and S20, unset at the start of the run
};

}  // namespace

int32_t runPasses(RunContext& context) { return PassRunner(context).run(); }

}  // namespace vorne

// Every record layout of the report, the auxiliary data file and the trace
// file, and of the fault texts the console repeats. The writers parse these
// and no others; a test parses the whole list.
#pragma once

#include <array>
#include <string_view>

namespace report {

// Page controls and banner.
inline constexpr std::string_view kFormFeedLayout = "(A1)";
inline constexpr std::string_view kDigitOneLayout = "('1')";
inline constexpr std::string_view kBannerLayout =
    "(18X,'******************************************',/,"
    "18X,'*                                        *',/,"
    "18X,'*     FOUNDATION SETTLEMENT ANALYSIS     *',/,"
    "18X,'*                                        *',/,"
    "18X,'******************************************',/,/,/,"
    "6X,17A4,/,8X,17A4,/,/)";

// Tables 1 and 2.
inline constexpr std::string_view kTable1Layout =
    "(6X,'TABLE 1 - PROBLEM CONTROL PARAMETERS',/,/,"
    "11X,'COMPUTATION UNITS                   =',I4,/,"
    "11X,'     1 = U.S. GRAVITATIONAL SYSTEM',/,"
    "11X,'     2 = S.I. ABSOLUTE SYSTEM',/,"
    "11X,'NUMBER OF SOIL LAYERS               =',I4,/,"
    "11X,'NUMBER OF SOIL COMPRESSIBILITIES    =',I4,/,"
    "11X,'NUMBER OF SETTLEMENT POINTS         =',I4,/,"
    "11X,'NUMBER OF LOADED AREAS              =',I4,/)";
inline constexpr std::string_view kTable2TitleLayout =
    "(/,/,/,6X,'TABLE 2 - SOIL AND LAYER INFORMATION',/)";
inline constexpr std::string_view kTable2HeaderLayout =
    "(6X,'SOIL  DEPTH TO   LAYER   LAYER',4X,A4,3X,'SOIL OVERBURDEN INIT VERTICAL',/,"
    "3X,'SUBLAYER  CENTER  THICKNESS',' THICK.',2X,A7,' COMP  PRESSURE   STRAIN (F0)',/,"
    "7X,'NO.',5X,A2,8X,A2,4X,'FACTOR ',A8,'  NO.',4X,A3,11X,'%',/)";
// 2P prints the strain, held as a fraction, in percent.
inline constexpr std::string_view kTable2RowLayout =
    "(6X,I3,2F10.2,F7.2,F10.2,I4,F10.3,4X,2P,F8.3)";

// Table 3 and its pressure error.
inline constexpr std::string_view kTable3HeadingLayout =
    "(6X,'TABLE 3 - SOIL COMPRESSIBILITY SOURCE AND DATA',A6,/)";
inline constexpr std::string_view kCurveHeadingLayout =
    "(/,6X,'SOIL COMPRESSIBILITY NO.',I3,/,16X,30A2,/)";
inline constexpr std::string_view kCurvePointHeadingLayout =
    "(/,/,6X,'     F              P',/,6X,'    (%)          ',A3)";
inline constexpr std::string_view kCurvePointLayout = "(6X,F10.3,4X,F10.3)";
inline constexpr std::string_view kLinearSlopeLayout =
    "(13X,'THE SLOPE OF THE F(%)-P CURVE IS ',F6.3,/)";
inline constexpr std::string_view kSemiLogSlopeLayout =
    "(13X,'THE SLOPE OF THE F(%)-LOG P CURVE IS ',F6.3,/)";
inline constexpr std::string_view kPressureErrorLayout =
    "(/,/,'************ERROR**************',/,"
    "'THE VERTICAL PRESSURE SHOULD BE GREATER THAN 0.0',/,/)";

// Table 4.
inline constexpr std::string_view kTable4HeadingLayout = "(6X,'TABLE 4 - SETTLEMENT POINT DATA',/)";
inline constexpr std::string_view kTable4HeaderLayout =
    "(6X,'POINT   POINT COORDINATES   LAYER',/,"
    "6X,' NO,       X          Y      NO.*',/,17X,A2,9X,A2,/)";
// Point numbers take the blank column before them: up to 99 as ever, up to
// 999 in full.
inline constexpr std::string_view kTable4RowLayout = "(6X,I3,3X,F8.2,2X,F8.2,5X,I2)";
inline constexpr std::string_view kTable4FootnoteLayout =
    "(/,6X,'* NUMBER OF SOIL LAYER AT WHICH SETTLEMENT ','COMPUTATION BEGINS')";

// Table 5.
inline constexpr std::string_view kTable5HeadingLayout =
    "(6X,'TABLE 5 - LOADED AREA INFORMATION',1X,A6,/)";
inline constexpr std::string_view kTable5HeaderLayout =
    "(6X,'AREA AREA  LOADED AREA CENTER   AREA DIMEN.   AREA',3X,'SUSTAINED   AREA',/,"
    "7X,'ID  SHAPE  X-COORD  Y-COORD   ','XLEN    YLEN  SLOPE    LOADING    ELEV',/,"
    "21X,A2,7X,A2,6X,A2,6X,A2,14X,A3,7X,A2,/)";
inline constexpr std::string_view kTable5RowLayout =
    "(6X,A4,1X,I3,2X,2(F9.2),F7.2,F8.2,F7.3,4X,F7.3,F8.2)";

// Tables 6 and 7 and the strain warnings between them.
inline constexpr std::string_view kPointNumbersLayout =
    "(/,6X,'SETTLEMENT',/,7X,'POINT NO.',2X,7(5X,I3))";
inline constexpr std::string_view kTable6HeadingLayout =
    "(6X,'TABLE 6 = AVERAGE STRESS INCREASE ',A6,/)";
inline constexpr std::string_view kTable6UnitsLayout = "(/,8X,'DEPTH, ',A2,20X,'STRESS, ',A3)";
inline constexpr std::string_view kTable6RowLayout = "(/,8X,F7.2,5X,7F8.3)";
inline constexpr std::string_view kBelowCurveWarningLayout =
    "(/,/,'*********** WARNING *************',/,"
    "'THE CALCULATED STRESS IS LESS THAN THE SMALLEST PRESSURE',/,"
    "'ON THE SOIL COMPRESSIBILITY CURVE. ADD NEW PRESSURE DATA,',/)";
inline constexpr std::string_view kAboveCurveWarningLayout =
    "(/,/,'*********** WARNING *************',/,"
    "'THE CALCULATED STRESS IS GREATER THAN THE LARGEST PRESSURE',/,"
    "'ON THE SOIL COMPRESSIBILITY CURVE. ADD NEW PRESSURE DATA,',/)";
inline constexpr std::string_view kTable7HeadingLayout =
    "(6X,'TABLE 7 - COMPUTED SETTLEMENT IN ',A11,A6,/)";
inline constexpr std::string_view kTable7UnitsLayout = "(/,8X,'DEPTH, ',A2)";
inline constexpr std::string_view kTable7RowLayout = "(/,8X,F7.3,5X,7F8.3)";
inline constexpr std::string_view kTotalRowLayout = "(/,10X,A10,7F8.3)";

// The data-error report and the limits of the data model.
inline constexpr std::string_view kShapeErrorsLayout =
    "(/,/,/,/,12X,'THE SHAPE IS INCORRECT FOR THESE LOADED AREAS:',/,/,10X,10(A4,2X))";
inline constexpr std::string_view kBoundaryErrorsLayout =
    "(/,/,/,/,12X,'THE FOLLOWING LOADED AREAS ARE NOT AT A LAYER 'BOUNDARY;',/,/,10X,"
    "10(A4,2X))";
inline constexpr std::string_view kLayerLimitLayout =
    "(/,/,/,/,12X,'THE NUMBER OF SOIL LAYERS',I6,' EXCEEDS THE LIMIT OF 25')";
inline constexpr std::string_view kCurveLimitLayout =
    "(/,/,/,/,12X,'THE NUMBER OF SOIL COMPRESSIBILITIES',I6,' EXCEEDS THE LIMIT OF 50')";
inline constexpr std::string_view kPointLimitLayout =
    "(/,/,/,/,12X,'THE NUMBER OF SETTLEMENT POINTS',I6,' EXCEEDS THE LIMIT OF 150')";
inline constexpr std::string_view kAreaLimitLayout =
    "(/,/,/,/,12X,'THE NUMBER OF LOADED AREAS',I6,' EXCEEDS THE LIMIT OF 150')";
inline constexpr std::string_view kCurveIndexLimitLayout =
    "(/,/,/,/,12X,'SOIL LAYER NO.',I3,' REFERS TO SOIL COMPRESSIBILITY',I6,"
    "'; IT MUST BE 1 TO 50')";
inline constexpr std::string_view kSublayerLimitLayout =
    "(/,/,/,/,12X,'THE NUMBER OF SUBLAYERS',I6,' EXCEEDS THE LIMIT OF 775')";
inline constexpr std::string_view kCurvePointLimitLayout =
    "(/,/,/,/,12X,'SOIL COMPRESSIBILITY NO.',I3,' HAS',I6,' POINTS; THE LIMIT IS 48')";
inline constexpr std::string_view kDepthReferenceLayout =
    "(/,/,/,/,12X,'THE DEPTH REFERENCE OPTION OF THE SPREAD AREAS IS',I6,"
    "'; IT MUST BE 1, 2 OR 3')";

// Values that give a settlement of no meaning, in the problem or in its results.
inline constexpr std::string_view kCurveStrainFaultLayout =
    "(/,/,/,/,12X,'SOIL COMPRESSIBILITY NO.',I3,', POINT',I3,': THE STRAIN',F9.3,"
    "' % IS NOT BELOW 100 %')";
inline constexpr std::string_view kThicknessFactorFaultLayout =
    "(/,/,/,/,12X,'SOIL LAYER NO.',I3,' HAS A THICKNESS FACTOR OF',F8.3,"
    "'; IT MUST NOT BE NEGATIVE')";
inline constexpr std::string_view kVanishedAreaFaultLayout =
    "(/,/,/,/,12X,'LOADED AREA ',A4,' OF',F9.2,' BY',F9.2,' AT A SLOPE OF',F9.3,/,"
    "12X,'HAS SIDES OF',F9.3,' BY',F9.3,' WHERE ITS CORNERS ARE PLACED')";
inline constexpr std::string_view kStressFaultLayout =
    "(/,/,/,/,12X,'SETTLEMENT POINT NO.',I4,', SUBLAYER NO.',I4,"
    "': THE AVERAGE STRESS INCREASE IS NOT A FINITE NUMBER')";
inline constexpr std::string_view kFinalPressureFaultLayout =
    "(/,/,/,/,12X,'SETTLEMENT POINT NO.',I4,', SUBLAYER NO.',I4,': INITIAL PRESSURE',F10.3,"
    "', FINAL PRESSURE',F10.3,/,12X,'SOIL COMPRESSIBILITY NO.',I3,"
    "' IS READ IN LOG P: ITS PRESSURES MUST BE GREATER THAN 0.0')";
inline constexpr std::string_view kSublayerStrainFaultLayout =
    "(/,/,/,/,12X,'SETTLEMENT POINT NO.',I4,', SUBLAYER NO.',I4,': THE STRAIN REACHES',F9.3,"
    "' %',/,12X,'UNDER A FINAL PRESSURE OF',F10.3,' ON SOIL COMPRESSIBILITY NO.',I3)";
inline constexpr std::string_view kSettlementFaultLayout =
    "(/,/,/,/,12X,'SETTLEMENT POINT NO.',I4,', SUBLAYER NO.',I4,"
    "': THE SETTLEMENT IS NOT A FINITE NUMBER')";
inline constexpr std::string_view kTotalFaultLayout =
    "(/,/,/,/,12X,'SETTLEMENT POINT NO.',I4,': THE TOTAL SETTLEMENT IS NOT A FINITE NUMBER')";
inline constexpr std::string_view kPlaceFaultLayout =
    "(/,/,/,/,12X,'THE SETTLEMENT AT X =',F10.2,', Y =',F10.2,' IS NOT A FINITE NUMBER')";

// The auxiliary data file.
inline constexpr std::string_view kAreaHeaderLayout = "('LDS')";
inline constexpr std::string_view kAreaIdentifierLayout = "(A4)";
// The fields of the area's Table 5 row from the shape on, with a single blank
// where the row has its indent and identifier.
inline constexpr std::string_view kAreaValuesLayout =
    "(1X,I3,2X,2(F9.2),F7.2,F8.2,F7.3,4X,F7.3,F8.2)";
// "#" and the point's position, which takes the blank after "#".
inline constexpr std::string_view kPointTagLayout = "(A1,I3)";
inline constexpr std::string_view kEndMarkLayout = "('END')";

// The trace file.
inline constexpr std::string_view kTraceLineLayout = "(5X,'COMPUTING AREA',I3,' AT POINT',I3)";

// clang-format off
inline constexpr std::array kReportLayouts = {
    kFormFeedLayout,          kDigitOneLayout,        kBannerLayout,
    kTable1Layout,            kTable2TitleLayout,     kTable2HeaderLayout,
    kTable2RowLayout,         kTable3HeadingLayout,   kCurveHeadingLayout,
    kCurvePointHeadingLayout, kCurvePointLayout,      kLinearSlopeLayout,
    kSemiLogSlopeLayout,      kPressureErrorLayout,   kTable4HeadingLayout,
    kTable4HeaderLayout,      kTable4RowLayout,       kTable4FootnoteLayout,
    kTable5HeadingLayout,     kTable5HeaderLayout,    kTable5RowLayout,
    kPointNumbersLayout,      kTable6HeadingLayout,   kTable6UnitsLayout,
    kTable6RowLayout,         kBelowCurveWarningLayout, kAboveCurveWarningLayout,
    kTable7HeadingLayout,     kTable7UnitsLayout,     kTable7RowLayout,
    kTotalRowLayout,          kShapeErrorsLayout,     kBoundaryErrorsLayout,
    kLayerLimitLayout,        kCurveLimitLayout,      kPointLimitLayout,
    kAreaLimitLayout,         kCurveIndexLimitLayout, kSublayerLimitLayout,
    kCurvePointLimitLayout,   kDepthReferenceLayout,  kAreaHeaderLayout,
    kAreaIdentifierLayout,    kAreaValuesLayout,      kPointTagLayout,
    kEndMarkLayout,           kTraceLineLayout,       kCurveStrainFaultLayout,
    kThicknessFactorFaultLayout, kVanishedAreaFaultLayout, kStressFaultLayout,
    kFinalPressureFaultLayout, kSublayerStrainFaultLayout, kSettlementFaultLayout,
    kTotalFaultLayout,        kPlaceFaultLayout,
};
// clang-format on

}  // namespace report
